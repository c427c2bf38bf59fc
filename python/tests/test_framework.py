"""The l3xml module over copies of the example framework: the host's walk, the command line's
flattened lines, template trees, failures and writes."""

import os
import re
import subprocess
import threading
from pathlib import Path

import pytest

import l3xml
from conftest import EXAMPLE, snapshot

CLI = os.environ.get("L3XML_CLI")
needs_cli = pytest.mark.skipif(not CLI, reason="the l3xml command is not built")


def run_cli(*arguments: str) -> str:
    return subprocess.run([CLI, *arguments], check=True, capture_output=True, text=True).stdout


def test_walk_of_the_host_sequence(fw, system):
    originals = snapshot(system)
    campaign = fw.load_campaign()  # with the association file applied, as the framework starts
    assert len(campaign) == 39 and "px_ReleaseCause" in campaign
    cause = campaign["px_ReleaseCause"]
    assert (cause.value, cause.converted, cause.templates) == ("normalEvent", "0", ["RRCConnectionRelease.xml"])
    assert (cause.position.file, cause.position.line) == (campaign.pixit_file, 7)
    assert list(campaign) == [parameter.name for parameter in campaign.values()] and campaign.association_file
    assert all(binding.written for binding in campaign.bindings)

    applied = fw.apply(campaign)  # every template, each in its cell
    assert len(applied) == len(fw.templates()) == 19
    assert sum(len(changes) for changes in applied) > 0
    assert all(change.before.startswith("px_") for changes in applied for change in changes)

    lines = {entry.label: fw.template(entry).flatten(campaign) for entry in fw}
    assert not [label for label, line in lines.items() if "px_" in line]
    if CLI:  # the command line's run walks the same sequence on a copy of its own
        printed = dict(re.findall(r"^(\S+/\S+\.xml): (.*)$", run_cli("run", str(EXAMPLE)), re.M))
        assert {label: line.rstrip() for label, line in lines.items()} == {k: v.rstrip() for k, v in printed.items()}

    release = fw.template("RRCConnectionRelease.xml")
    assert release.get("n-308") == ["2"]
    release.set("n-308", "5")
    assert release.get("n-308") == ["5"] and "[ 5 ]" in release.flatten(campaign)
    assert snapshot(system) == originals  # every write went to a working copy


@needs_cli
def test_flattened_lines_are_the_command_lines(fw, system):
    fw.set("RRCConnectionRelease.xml", "n-308", "4")  # a working copy is read by both
    for entry in fw:
        printed = run_cli("--system", str(system), "--cell", entry.cell, "flatten", entry.name).rstrip("\n")
        prefix = entry.name + ": "
        assert fw.template(entry).flatten() == (printed[len(prefix) :] if printed.startswith(prefix) else printed)


def test_template_tree(fw):
    template = fw.template("RRCConnectionRelease.xml")
    assert (template.type, template.cell) == ("RRCConnectionRelease", "PrimaryCell")
    assert template.path.endswith(os.path.join("RRCMessage", "PrimaryCell", "RRCConnectionRelease.xml"))
    root = template.root
    assert [(child.local_name, child.kind) for child in root] == [
        ("optIntegrityCheckInfo", l3xml.NodeKind.OPTIONAL),
        ("c1", l3xml.NodeKind.CHOICE),
    ]
    leaf = root["c1"]["r3"]["rrcConnectionRelease-r3"]["optN-308"]["n-308"]
    assert (leaf.path, leaf.text, leaf.leaf) == ("RRCConnectionRelease.c1.r3.rrcConnectionRelease-r3.optN-308.n-308", "2", True)
    assert leaf.position.file == template.path and leaf.position.line > root["c1"].position.line > 1
    assert [(r.parameter, r.path) for r in template.references()] == [
        ("px_RRC_TransactionId", "RRCConnectionRelease.c1.r3.rrcConnectionRelease-r3.rrc-TransactionIdentifier"),
        ("px_ReleaseCause", "RRCConnectionRelease.c1.r3.rrcConnectionRelease-r3.releaseCause"),
    ]
    nodes = list(template)  # document order
    assert nodes[0].path == root.path and [n.reference for n in nodes if n.reference] == [
        "px_RRC_TransactionId",
        "px_ReleaseCause",
    ]
    assert template.node(leaf.path).text == "2" and template.node("RRCConnectionRelease.nope") is None
    with pytest.raises(KeyError):
        root["nope"]
    del template, root
    assert leaf.position.line > 0  # a node keeps its tree


BROKEN = {
    "Unresolved.xml": "<M>\n  <a>px_Nowhere</a>\n</M>\n",
    "Malformed.xml": "<M>\n  <a>1</b>\n</M>\n",
}


@pytest.mark.parametrize(
    "method, arguments, error, code, line",
    [
        ("flatten", ["Nope.xml"], l3xml.NotFoundError, l3xml.codes.MISSING_FILE, 0),
        ("template", ["Malformed.xml"], l3xml.MalformedError, l3xml.codes.MALFORMED_XML, 2),
        ("flatten", ["Malformed.xml"], l3xml.MalformedError, l3xml.codes.MALFORMED_XML, 2),
        ("flatten", ["Unresolved.xml"], l3xml.UnresolvedReferenceError, l3xml.codes.UNRESOLVED_REFERENCE, 2),
        ("set", ["ActiveSetUpdate.xml", "noSuchNode", "1"], l3xml.SelectorError, l3xml.codes.BAD_SELECTOR, 0),
        ("set", ["RRCConnectionRelease.xml", "n-308", "1", 3], l3xml.SelectorError, l3xml.codes.BAD_SELECTOR, 0),
        ("load_campaign", ["Nope_PIXIT.xml"], l3xml.NotFoundError, l3xml.codes.MISSING_FILE, 0),
        ("set", ["RRCConnectionRelease.xml", "n-308", "1"], l3xml.WriteError, l3xml.codes.WRITE_FAILED, 0),
    ],
    ids=["missing", "malformed-tree", "malformed-line", "unresolved", "selector", "index", "no-pixit", "write"],
)
def test_failures_raise_with_their_diagnostics(system, method, arguments, error, code, line):
    for name, text in BROKEN.items():
        (system / "RRCMessage" / "PrimaryCell" / name).write_text(text)
    # A work folder that is a file: no working copy can be written under it.
    work = system / "L3_WCDMA_PIXIT.xml" if error is l3xml.WriteError else None
    call = getattr(l3xml.Framework(system, work=work), method)
    with pytest.raises(error) as raised:
        call(*arguments)
    found = [d for d in raised.value.diagnostics if d.code == code and d.is_error]
    assert found and (line == 0 or line in [d.line for d in found]), raised.value.diagnostics
    assert isinstance(raised.value, l3xml.Error) and code in str(raised.value)

    result = call(*arguments, check=False)
    assert not result.ok and [str(d) for d in result.diagnostics] == [str(d) for d in raised.value.diagnostics]


def test_unchecked_calls_keep_what_they_made(fw, system):
    (system / "RRCMessage" / "PrimaryCell" / "Unresolved.xml").write_text(BROKEN["Unresolved.xml"])
    line, diagnostics = fw.flatten("Unresolved.xml", check=False)
    assert line.startswith("M ") and diagnostics[0].code == l3xml.codes.UNRESOLVED_REFERENCE
    with pytest.raises(l3xml.UnresolvedReferenceError) as raised:
        fw.template("Unresolved.xml").flatten()
    assert raised.value.value == line
    assert str(diagnostics[0]).startswith(f"{diagnostics[0].file}:2:")

    pixit = system / "L3_WCDMA_PIXIT.xml"  # a parameter defined twice: a warning, not a failure
    pixit.write_text(pixit.read_text().replace("<PIXIT>", '<PIXIT>\n  <Param Name="px_ReleaseCause" Type="RRC_TransactionId" Value="1"/>', 1))
    with pytest.warns(l3xml.DiagnosticWarning, match=l3xml.codes.DUPLICATE_PARAMETER):
        assert fw.load_campaign(associate=False)["px_ReleaseCause"].value == "1"


def test_writes_return_what_they_changed(fw, system):
    originals = snapshot(system)
    changes = fw.set("RRCConnectionRelease.xml", "n-308", "5")
    assert changes.working_copy == os.path.join(str(system), "temp", "PrimaryCell", "RRCConnectionRelease.xml")
    assert [(c.path, c.before, c.after) for c in changes] == [
        ("RRCConnectionRelease.c1.r3.rrcConnectionRelease-r3.optN-308.n-308", "2", "5")
    ]

    campaign = fw.load_campaign(associate=False)
    campaign.set("px_ReleaseCause", "1")
    assert campaign["px_ReleaseCause"].converted == campaign.value_of("px_ReleaseCause") == "1"
    with pytest.raises(KeyError):
        campaign.set("px_Nowhere", "1")
    applied = fw.apply(campaign, "RRCConnectionRelease.xml")
    assert {(c.path.rsplit(".", 1)[1], c.after) for c in applied} == {("rrc-TransactionIdentifier", "0"), ("releaseCause", "1")}
    assert len(fw.compare("RRCConnectionRelease.xml")) == 3

    renamed = fw.rename("RRCConnectionRelease.xml", "optV529NonCriticalExtensions", "optV530NonCriticalExtensions")
    assert [(c.before, c.after) for c in renamed] == [("<optV529NonCriticalExtensions>", "<optV530NonCriticalExtensions>")]
    assert renamed.working_copy == os.path.join(str(system), "temp", "RRCConnectionRelease.xml")

    assert fw.remove_working_copy("RRCConnectionRelease.xml") is True
    assert len(fw.compare("RRCConnectionRelease.xml")) == 0
    assert snapshot(system) == originals


def test_check_reports_the_problems_of_a_framework(fw, system):
    (system / "RRCMessage" / "PrimaryCell" / "Malformed.xml").write_text(BROKEN["Malformed.xml"])
    diagnostics = fw.check()
    if [(d.code, "not built yet" in d.message) for d in diagnostics] == [(l3xml.codes.INTERNAL_ERROR, True)]:
        pytest.skip("campaign checking is not built yet")
    assert any(d.code == l3xml.codes.MALFORMED_XML and d.file.endswith("Malformed.xml") for d in diagnostics)


def test_threads_take_turns(fw):
    campaign = fw.load_campaign(associate=False)
    expected = [fw.flatten(entry, campaign) for entry in fw]
    results = []

    def flatten_all():
        results.append([fw.flatten(entry, campaign) for entry in fw])

    threads = [threading.Thread(target=flatten_all) for _ in range(4)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert results == [expected] * 4


def test_temporary_work_leaves_the_framework_as_it_was(system):
    originals = snapshot(system)
    with l3xml.Framework.temporary_work(system) as fw:
        assert Path(fw.system).parent != system.parent and fw.work == fw.system
        fw.apply(fw.load_campaign())
        fw.set("RRCConnectionRelease.xml", "n-308", "7")
        assert fw.get("RRCConnectionRelease.xml", "n-308") == ["7"]  # the working copy is read back
        copy = Path(fw.system)
    assert not copy.exists()
    with l3xml.Framework.temporary_work(system, copy=False) as fw:
        fw.set("RRCConnectionRelease.xml", "n-308", "7")
        assert fw.get("RRCConnectionRelease.xml", "n-308") == ["2"]  # only the system folder's temp is read
        assert [Path(copy.path).parent.parent for copy in fw.working_copies()] == [Path(fw.work) / "temp"]
    assert snapshot(system) == originals and not (system / "temp").exists()
