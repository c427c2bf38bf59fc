// The l3xml campaign report: the data is one JSON document in the page; the template list is drawn
// at once, a template's tree and flattened line only when it is opened, so that thousands of
// templates open quickly.
"use strict";
(function () {
  const data = JSON.parse(document.getElementById("l3xml-data").textContent);
  const templates = data.templates;
  const marks = { c: "(choice)", o: "[optional]", s: "{SEQUENCE}" };
  const MAX_ROWS = 500;
  const MAX_RESULTS = 50;
  const built = new Set();
  const parameterIndex = new Map(data.parameters.map((p, i) => [p.name, i]));

  function esc(text) {
    return String(text == null ? "" : text).replace(/[&<>"']/g, (c) =>
      ({ "&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;", "'": "&#39;" })[c]);
  }
  const $ = (id) => document.getElementById(id);

  // Diagnostics by template, and by template and field.
  const diagnosticsOf = templates.map(() => []);
  data.diagnostics.forEach((d, i) => { if (d.template != null) diagnosticsOf[d.template].push(i); });

  // A template's tree, line and tokens, read from its own element the first time they are needed.
  function load(t) {
    const tpl = templates[t];
    if (tpl.nodes) return tpl;
    const element = document.getElementById("tree" + t);
    // Still on its way: the page is read to its end first.
    if (!element && document.readyState === "loading") return null;
    const tree = element ? JSON.parse(element.textContent) : {};
    const parents = [];
    tpl.nodes = (tree.nodes || []).map((a) => Object.assign({ d: a[0], n: data.names[a[1]], k: a[2], l: a[3] }, a[4]));
    tpl.nodes.forEach((n) => {
      parents.length = n.d;
      const part = n.p !== undefined ? n.p : n.n;
      n.p = n.d > 0 && parents[n.d - 1] !== undefined ? parents[n.d - 1] + "." + part : part;
      parents[n.d] = n.p;
    });
    tpl.line = tree.line;
    // [gap, length, node] runs back into [begin, end, node or null].
    const runs = tree.tokens || [];
    tpl.tokens = [];
    for (let i = 0, end = 0; i + 2 < runs.length; i += 3) {
      const begin = end + runs[i];
      end = begin + runs[i + 1];
      tpl.tokens.push([begin, end, runs[i + 2] >= 0 ? runs[i + 2] : null]);
    }
    return tpl;
  }
  window.l3xmlTemplate = load;

  function where(d) {
    return d.file ? d.file + (d.line ? ":" + d.line + (d.column ? ":" + d.column : "") : "") : "";
  }
  function fieldLink(t, n, text) {
    return '<a href="#t' + t + '" data-template="' + t + '"' + (n != null ? ' data-node="' + n + '"' : "") + ">" +
      esc(text) + "</a>";
  }

  // The campaign: where it comes from, its counts and what check says of it.
  function drawHeader() {
    const c = data.counts;
    const summary = data.check.errors + data.check.warnings === 0
      ? '<span class="summary-ok">no problems found</span>'
      : '<span class="summary-bad">' + data.check.errors + (data.check.errors === 1 ? " error, " : " errors, ") +
        data.check.warnings + (data.check.warnings === 1 ? " warning" : " warnings") + "</span>";
    const rows = [
      ["Framework folder", esc(data.framework)],
      ["PIXIT file", esc(data.pixitFile || "none")],
      ["Type file", esc(data.typeFile || "none")],
      ["Association file", esc(data.associationFile || "none")],
      ["Templates", c.templates + " (" + c.primary + " PrimaryCell, " + c.secondary + " SecondaryCell, " + c.nas +
        " NASMessage)"],
      ["Parameters", c.parameters + " PIXIT parameters, " + c.types + " types, " + c.bindings + " association bindings"],
      ["check", summary + (data.diagnostics.length ? ' &middot; <a href="#problems">the list</a>' : "")],
      ["Made", esc(data.made) + " by l3xml " + esc(data.version)],
    ];
    $("campaign").innerHTML = "<h1>Campaign report</h1><dl>" +
      rows.map((r) => "<dt>" + r[0] + "</dt><dd>" + r[1] + "</dd>").join("") + "</dl>";
  }

  function drawDiagnostics() {
    const list = data.diagnostics.filter((d) => d.severity !== "note");
    if (!list.length) { $("diagnostics").outerHTML = "<p>check found no problem.</p>"; return; }
    $("diagnostics").innerHTML = data.diagnostics.map((d) => {
      if (d.severity === "note") return "";
      let place = esc(where(d));
      if (d.template != null) {
        place = fieldLink(d.template, d.node, where(d) + (d.node != null
          ? " (" + templates[d.template].label + ": " + d.path + ")"
          : " (" + templates[d.template].label + ")"));
      } else if (d.parameter != null) {
        place = '<a href="#p' + d.parameter + '" data-parameter="' + d.parameter + '">' + esc(where(d)) + " (" +
          esc(data.parameters[d.parameter].name) + ")</a>";
      }
      return '<li><span class="sev ' + d.severity + '">' + d.severity + "</span> " + place + ": " + esc(d.message) +
        " <code>[" + esc(d.code) + "]</code></li>";
    }).join("");
  }

  // The parameter table: sortable by any column, filtered by any text of a row.
  const parameterRows = data.parameters.map((p, i) => {
    const reached = p.reaches.map((r) => {
      const t = templates[r[0]];
      return { t: r[0], n: r[1], how: r[2], text: t.label + (r[1] != null ? ": " + data.names[r[3]] : "") };
    });
    return { i, p, reached, key: { name: p.name, type: p.type, value: p.value, converted: p.converted, range: p.range,
      unit: p.unit, group: p.group, reached: reached.length },
      text: [p.name, p.type, p.value, p.converted, p.range, p.unit, p.group, p.comment]
        .concat(reached.map((r) => r.text)).join(" ").toLowerCase() };
  });
  let sortKey = "name";
  let sortDown = false;
  let showAll = false;
  function drawParameters() {
    const filter = $("parameter-filter").value.trim().toLowerCase();
    const rows = parameterRows.filter((r) => !filter || r.text.includes(filter));
    rows.sort((a, b) => {
      const x = a.key[sortKey];
      const y = b.key[sortKey];
      const order = typeof x === "number" ? x - y : String(x).localeCompare(String(y), undefined, { numeric: true });
      return sortDown ? -order : order;
    });
    const shown = showAll ? rows : rows.slice(0, MAX_ROWS);
    document.querySelector("#parameter-table tbody").innerHTML = shown.map((r) => {
      const p = r.p;
      const reached = r.reached.length
        ? "<ul>" + r.reached.map((x) => "<li>" + fieldLink(x.t, x.n, x.text) + " <span class=\"from\">(" +
          esc(x.n == null ? x.how + ": no field takes the value" : x.how) + ")</span></li>").join("") + "</ul>"
        : '<span class="from">none</span>';
      return '<tr id="p' + r.i + '"><td class="mono">' + esc(p.name) + "</td><td>" + esc(p.type) +
        '</td><td class="mono">' + esc(p.value) + '</td><td class="mono">' + esc(p.converted) + "</td><td>" +
        esc(p.range) + "</td><td>" + esc(p.unit) + "</td><td>" + esc(p.group) + "</td><td>" + reached + "</td></tr>";
    }).join("");
    $("parameter-more").innerHTML = rows.length > shown.length
      ? shown.length + " of " + rows.length + ' shown. <button id="parameter-all" type="button">Show all</button>'
      : rows.length + " of " + parameterRows.length + " parameters.";
    document.querySelectorAll("#parameter-table th").forEach((th) => {
      if (th.dataset.key === sortKey) th.setAttribute("aria-sort", sortDown ? "descending" : "ascending");
      else th.removeAttribute("aria-sort");
    });
  }

  // The template list: one closed entry each; its body is built when it is first opened.
  function drawTemplates() {
    $("templates").innerHTML = templates.map((t, i) => {
      const problems = diagnosticsOf[i].map((d) => data.diagnostics[d].severity);
      const errors = problems.filter((s) => s === "error").length;
      const warnings = problems.filter((s) => s === "warning").length;
      const fields = t.fields || 0;
      return '<details class="tpl" id="t' + i + '" data-label="' + esc(t.label) + '"><summary><strong>' +
        esc(t.label) + '</strong><span class="tpl-file">' + esc(t.file) + "</span>" +
        (errors ? '<span class="badge error">' + errors + (errors === 1 ? " error" : " errors") + "</span>" : "") +
        (warnings ? '<span class="badge warning">' + warnings + (warnings === 1 ? " warning" : " warnings") +
          "</span>" : "") +
        (t.error && !errors ? '<span class="badge error">broken</span>' : "") +
        (fields ? '<span class="badge px">' + fields + " PIXIT " + (fields === 1 ? "field" : "fields") + "</span>" : "") +
        "</summary></details>";
    }).join("");
  }

  function nodeLine(t, i, n) {
    let html = esc(n.n);
    if (marks[n.k]) html += ' <span class="mark">' + marks[n.k] + "</span>";
    if (n.t !== undefined) {
      if (n.t === "" && n.v === undefined) {
        if (n.k === "o") html += ' <span class="absent">absent</span>';
      } else if (n.v !== undefined) {
        html += ' = <span class="val">' + esc(n.v) + '</span> <span class="from">(' + esc(n.t || "empty") +
          " in the template)</span>";
      } else {
        html += ' = <span class="val">' + esc(n.t) + "</span>";
      }
    }
    if (n.unresolved) html += ' <span class="diag-msg">' + esc(n.t) + " is not in the PIXIT file</span>";
    if (n.x) {
      let title = n.h === "association" ? "written by the association file" : n.h === "comment"
        ? "written by the parameter (its comment names this template)" : "read from the parameter by the flattening";
      let binding = "";
      if (n.b != null) {
        const b = data.bindings[n.b];
        binding = " via binding " + b.node + (b.type ? " (" + b.type + ")" : "") + " in " + data.associationFile +
          (b.line ? ":" + b.line : "") + (b.written ? "" : ", not written");
        title += binding;
      }
      const p = parameterIndex.has(n.x) ? parameterIndex.get(n.x) : -1;
      html += ' <a class="px-badge" title="' + esc(title) + '"' + (p >= 0 ? ' href="#p' + p + '" data-parameter="' + p +
        '"' : "") + ">" + esc(n.x) + "</a>" + (binding ? ' <span class="from">' + esc(binding.trim()) + "</span>" : "");
    }
    for (const d of diagnosticsOf[t]) {
      const diagnostic = data.diagnostics[d];
      if (diagnostic.node === i) html += '<span class="diag-msg ' + diagnostic.severity + '">' + diagnostic.severity +
        ": " + esc(diagnostic.message) + " [" + esc(diagnostic.code) + "]</span>";
    }
    return html;
  }

  function nodeClass(t, i, n) {
    return "node" + (n.x ? " px" : "") +
      (diagnosticsOf[t].some((d) => data.diagnostics[d].node === i && data.diagnostics[d].severity !== "note")
        ? " diag" : "");
  }

  // A tree as nested open sections, built from the nodes in document order without recursion.
  function treeHtml(t) {
    const nodes = templates[t].nodes;
    const out = [];
    const open = [];
    nodes.forEach((n, i) => {
      while (open.length && open[open.length - 1] >= n.d) { out.push("</div></details>"); open.pop(); }
      const next = nodes[i + 1];
      if (next && next.d > n.d) {
        out.push('<details open><summary class="' + nodeClass(t, i, n) + '" data-i="' + i + '">' + nodeLine(t, i, n) +
          '</summary><div class="kids">');
        open.push(n.d);
      } else {
        out.push('<div class="' + nodeClass(t, i, n) + ' leaf" data-i="' + i + '">' + nodeLine(t, i, n) + "</div>");
      }
    });
    while (open.pop() !== undefined) out.push("</div></details>");
    return out.join("");
  }

  function lineHtml(t) {
    const tpl = templates[t];
    const out = [];
    let at = 0;
    tpl.tokens.forEach((k, j) => {
      if (k[0] > at) out.push(esc(tpl.line.slice(at, k[0])));
      const n = k[2] != null ? tpl.nodes[k[2]] : null;
      out.push('<span class="tok' + (n && n.x ? " px" : "") + '" tabindex="-1" data-j="' + j + '"' +
        (k[2] != null ? ' data-i="' + k[2] + '" title="' + esc(n.p || n.n) + '"' : "") + ">" +
        esc(tpl.line.slice(k[0], k[1])) + "</span>");
      at = Math.max(at, k[1]);
    });
    if (at < tpl.line.length) out.push(esc(tpl.line.slice(at)));
    return out.join("");
  }

  function build(t) {
    if (built.has(t)) return;
    const tpl = load(t);
    if (!tpl) { document.addEventListener("DOMContentLoaded", () => build(t), { once: true }); return; }
    built.add(t);
    const box = $("t" + t);
    const parts = ['<div class="tpl-body">'];
    if (tpl.hidden && tpl.hidden.length) parts.push('<p class="hidden-note">Hides ' + tpl.hidden.map(esc).join(", ") +
      ", later in the search list.</p>");
    if (tpl.error) parts.push('<p class="tpl-note diag-msg">' + esc(tpl.error) + "</p>");
    for (const d of diagnosticsOf[t]) {
      const diagnostic = data.diagnostics[d];
      if (diagnostic.node == null && diagnostic.severity !== "note") {
        parts.push('<p class="tpl-note diag-msg ' + diagnostic.severity + '">' + esc(where(diagnostic)) + ": " +
          esc(diagnostic.message) + " [" + esc(diagnostic.code) + "]</p>");
      }
    }
    if (tpl.nodes.length) parts.push('<div class="tree">' + treeHtml(t) + "</div>");
    if (tpl.line != null) {
      parts.push('<p class="flat-title">Flattened line (' + tpl.line.length + ' characters)</p><p class="flat">' +
        lineHtml(t) + "</p>");
    }
    parts.push("</div>");
    box.insertAdjacentHTML("beforeend", parts.join(""));
  }

  // The last node of the subtree under node i.
  function subtreeEnd(nodes, i) {
    let end = i;
    while (end + 1 < nodes.length && nodes[end + 1].d > nodes[i].d) end++;
    return end;
  }

  let lit = [];
  function clearLight() { lit.forEach((e) => e.classList.remove("hl")); lit = []; }
  function light(elements) { elements.forEach((e) => { e.classList.add("hl"); lit.push(e); }); }

  // A token lights its field; a field lights its tokens and those of the fields under it.
  function pointAt(target) {
    const box = target.closest("details.tpl");
    if (!box) return;
    const t = Number(box.id.slice(1));
    clearLight();
    if (target.classList.contains("tok")) {
      if (target.dataset.i === undefined) return;
      light([target]);
      light(box.querySelectorAll('.node[data-i="' + target.dataset.i + '"]'));
    } else if (target.classList.contains("node")) {
      const i = Number(target.dataset.i);
      const end = subtreeEnd(load(t).nodes, i);
      light([target]);
      light(Array.from(box.querySelectorAll(".tok[data-i]")).filter((k) => {
        const n = Number(k.dataset.i);
        return n >= i && n <= end;
      }));
    }
  }

  function reveal(t, n) {
    const box = $("t" + t);
    if (!box) return;
    build(t);
    box.open = true;
    setCurrent(box);
    document.querySelectorAll(".node.target").forEach((e) => e.classList.remove("target"));
    if (n == null) { box.scrollIntoView({ block: "start" }); return; }
    const node = box.querySelector('.node[data-i="' + n + '"]');
    if (!node) return;
    for (let up = node.parentElement; up && up !== box; up = up.parentElement) if (up.tagName === "DETAILS") up.open = true;
    node.classList.add("target");
    pointAt(node);
    node.scrollIntoView({ block: "center" });
  }

  function revealParameter(p) {
    if (!showAll && !$("p" + p)) { $("parameter-filter").value = data.parameters[p].name; drawParameters(); }
    const row = $("p" + p);
    if (!row) return;
    document.querySelectorAll("tr.target").forEach((e) => e.classList.remove("target"));
    row.classList.add("target");
    row.scrollIntoView({ block: "center" });
  }

  // Search over template names, fields (name, path, value, parameter) and parameters.
  function search(text) {
    const q = text.trim().toLowerCase();
    if (!q) { $("results").innerHTML = ""; return; }
    const found = { templates: [], fields: [], parameters: [] };
    let more = 0;
    templates.forEach((t, i) => {
      if (t.label.toLowerCase().includes(q)) {
        if (found.templates.length < MAX_RESULTS) found.templates.push(fieldLink(i, null, t.label)); else more++;
      }
      (load(i) || { nodes: [] }).nodes.forEach((n, j) => {
        const hay = (n.n + " " + n.p + " " + (n.t || "") + " " + (n.v || "") + " " + (n.x || "")).toLowerCase();
        if (!hay.includes(q)) return;
        if (found.fields.length >= MAX_RESULTS) { more++; return; }
        found.fields.push(fieldLink(i, j, t.label + ": " + (n.p || n.n)) +
          (n.t !== undefined ? ' = <span class="val">' + esc(n.v !== undefined ? n.v : n.t) + "</span>" : ""));
      });
    });
    data.parameters.forEach((p, i) => {
      if (!(p.name + " " + p.group + " " + p.comment).toLowerCase().includes(q)) return;
      if (found.parameters.length >= MAX_RESULTS) { more++; return; }
      found.parameters.push('<a href="#p' + i + '" data-parameter="' + i + '">' + esc(p.name) + "</a> = " +
        esc(p.converted));
    });
    const group = (title, list) => list.length ? "<h3>" + title + " (" + list.length + ")</h3><ul>" +
      list.map((x) => "<li>" + x + "</li>").join("") + "</ul>" : "";
    const html = group("Templates", found.templates) + group("Fields", found.fields) +
      group("Parameters", found.parameters) + (more ? "<p>" + more + " more: refine the search.</p>" : "");
    $("results").innerHTML = html || "<p>Nothing matches.</p>";
  }

  let current = null;
  function setCurrent(box) {
    if (current) current.classList.remove("current");
    current = box;
    if (box) box.classList.add("current");
  }
  function step(by) {
    const all = document.querySelectorAll("details.tpl");
    if (!all.length) return;
    let at = current ? Array.prototype.indexOf.call(all, current) + by : by > 0 ? 0 : all.length - 1;
    at = Math.max(0, Math.min(all.length - 1, at));
    setCurrent(all[at]);
    all[at].querySelector("summary").focus();
    all[at].scrollIntoView({ block: "nearest" });
  }

  function wire() {
    $("templates").addEventListener("toggle", (e) => {
      if (e.target.classList.contains("tpl") && e.target.open) build(Number(e.target.id.slice(1)));
    }, true);
    $("templates").addEventListener("mouseover", (e) => {
      const target = e.target.closest(".tok, .node");
      if (target) pointAt(target);
    });
    $("templates").addEventListener("focusin", (e) => {
      const target = e.target.closest(".tok, .node, details.tpl");
      if (!target) return;
      if (target.matches("details.tpl")) setCurrent(target); else pointAt(target);
    });
    $("templates").addEventListener("click", (e) => {
      const token = e.target.closest(".tok");
      if (token) { token.focus(); if (token.dataset.i !== undefined) reveal(Number(token.closest("details.tpl").id.slice(1)), Number(token.dataset.i)); }
    });
    document.addEventListener("click", (e) => {
      const link = e.target.closest("a[data-template], a[data-parameter], #parameter-all");
      if (!link) return;
      if (link.id === "parameter-all") { showAll = true; drawParameters(); return; }
      e.preventDefault();
      if (link.dataset.template !== undefined) {
        reveal(Number(link.dataset.template), link.dataset.node !== undefined ? Number(link.dataset.node) : null);
      } else {
        revealParameter(Number(link.dataset.parameter));
      }
    });
    document.querySelector("#parameter-table thead").addEventListener("click", (e) => {
      const th = e.target.closest("th");
      if (!th) return;
      sortDown = th.dataset.key === sortKey ? !sortDown : false;
      sortKey = th.dataset.key;
      drawParameters();
    });
    let timer = 0;
    $("parameter-filter").addEventListener("input", () => { clearTimeout(timer); timer = setTimeout(drawParameters, 120); });
    let searchTimer = 0;
    $("search").addEventListener("input", (e) => {
      clearTimeout(searchTimer);
      searchTimer = setTimeout(() => search(e.target.value), 120);
    });
    $("search").addEventListener("keydown", (e) => {
      if (e.key === "Enter") { clearTimeout(searchTimer); search(e.target.value); const first = $("results").querySelector("a"); if (first) first.click(); }
      if (e.key === "Escape") { e.target.value = ""; search(""); e.target.blur(); }
    });
    document.addEventListener("keydown", (e) => {
      if (e.ctrlKey || e.metaKey || e.altKey) return;
      const typing = /^(INPUT|TEXTAREA|SELECT)$/.test(document.activeElement.tagName);
      if (typing) return;
      if (e.key === "/") { e.preventDefault(); $("search").focus(); return; }
      if (e.key === "j") { step(1); return; }
      if (e.key === "k") { step(-1); return; }
      const token = document.activeElement.closest && document.activeElement.closest(".tok");
      if (token && (e.key === "ArrowRight" || e.key === "ArrowLeft")) {
        e.preventDefault();
        const next = e.key === "ArrowRight" ? token.nextElementSibling : token.previousElementSibling;
        if (next) next.focus();
        return;
      }
      if (e.key === "ArrowRight" && current && current.open && document.activeElement === current.querySelector("summary")) {
        const first = current.querySelector(".tok");
        if (first) { e.preventDefault(); first.focus(); }
      }
      if (e.key === "Escape" && current) { clearLight(); current.querySelector("summary").focus(); }
    });
    window.addEventListener("hashchange", followHash);
  }

  function followHash() {
    const m = /^#([tp])(\d+)$/.exec(location.hash);
    if (!m) return;
    if (m[1] === "t") reveal(Number(m[2]), null); else revealParameter(Number(m[2]));
  }

  drawHeader();
  drawDiagnostics();
  drawTemplates();
  drawParameters();
  wire();
  followHash();
  document.documentElement.dataset.ready = "true";
  document.documentElement.dataset.drawnAt = String(Math.round(performance.now()));
})();
