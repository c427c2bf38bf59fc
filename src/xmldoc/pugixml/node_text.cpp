// The text of a node: the one rule that decides what the library reads from a template.
#include "xmldoc/pugixml/node_text.h"

#include <algorithm>
#include <cstddef>

namespace l3xml {
namespace dom {
namespace pugixml_backend {

namespace {

// The text rule applied piece by piece in document order, so that a reader may stop early:
// blanks before the first character or CDATA section are dropped, and later blanks are held back
// until a character or a CDATA section follows them, so that those at the end are dropped too.
// The sink receives the text in chunks and returns false once it needs no more.
template <class Sink>
class TextStream {
 public:
  TextStream(const Tree& tree, Sink& sink) : tree_(tree), sink_(sink) {}

  // Nothing read so far counts: an element entered now has a text that starts as this one does.
  bool pristine() const { return !started_ && empty_; }

  bool add(pugi::xml_node piece) {
    switch (piece.type()) {
      case pugi::node_pcdata:
        if (!isWhitespaceMark(tree_, piece, pugi::node_pcdata)) return text(piece.value());
        spaced_ = true;
        return true;
      case pugi::node_cdata:
        return cdata(piece.value());
      default:
        return true;  // comments and processing instructions give nothing
    }
  }

  // A text node's own value, on its own.
  bool text(std::string_view value) {
    separate();
    if (!value.empty()) empty_ = false;
    if (!started_) {
      while (!value.empty() && isBlank(value.front())) value.remove_prefix(1);
      if (value.empty()) return true;
      started_ = true;
    }
    std::size_t end = value.size();
    while (end > 0 && isBlank(value[end - 1])) --end;
    if (end > 0 && !(flush() && sink_.append(value.substr(0, end)))) return false;
    pending_.append(value.substr(end));
    return true;
  }

 private:
  // A run of whitespace between two pieces is one blank, once a piece has given anything.
  void separate() {
    if (spaced_ && !empty_ && started_) pending_ += ' ';
    spaced_ = false;
  }

  // CDATA keeps every character, and the blanks held back before it.
  bool cdata(std::string_view value) {
    separate();
    started_ = true;
    if (!flush()) return false;
    if (value.empty()) return true;
    empty_ = false;
    return sink_.append(value);
  }

  bool flush() {
    if (pending_.empty()) return true;
    const bool more = sink_.append(pending_);
    pending_.clear();
    return more;
  }

  const Tree& tree_;
  Sink& sink_;
  bool spaced_ = false;   // whitespace stood since the last piece
  bool empty_ = true;     // no piece has given a character yet
  bool started_ = false;  // a kept character or a CDATA section came
  std::string pending_;   // blanks held back
};

struct WholeText {
  bool append(std::string_view chunk) {
    text.append(chunk);
    return true;
  }
  std::string& text;
};

// Collects the text while it can still answer yes; stops at the first character that says no,
// or at the limit.
struct Matcher {
  bool append(std::string_view chunk) {
    if (text.size() >= question.limit) return false;
    chunk = chunk.substr(0, question.limit - text.size());
    const std::size_t at = text.size();
    if (at < question.prefix.size()) {
      const std::size_t compared = std::min(chunk.size(), question.prefix.size() - at);
      if (chunk.compare(0, compared, question.prefix.substr(at, compared)) != 0) {
        refused = true;
        return false;
      }
    }
    if (chunk.find(question.absent) != std::string_view::npos) {
      refused = true;
      return false;
    }
    text.append(chunk);
    return text.size() < question.limit;
  }
  // The answer were the text to end here.
  bool matched() const { return !refused && text.size() >= question.prefix.size(); }

  const TextQuestion& question;
  std::string& text;
  bool refused = false;
};

bool sameQuestion(const TextAnswers& answers, const TextQuestion& question) {
  return answers.absent == question.absent && answers.limit == question.limit &&
         std::string_view(answers.prefix) == question.prefix;
}

}  // namespace

void textOf(const Tree& tree, pugi::xml_node node, std::string& text) {
  text.clear();
  WholeText whole{text};
  TextStream<WholeText> stream(tree, whole);
  switch (node.type()) {
    case pugi::node_pcdata:
      stream.text(node.value());
      return;
    case pugi::node_cdata:
    case pugi::node_comment:
    case pugi::node_pi:
      text = node.value();
      return;
    case pugi::node_element:
    case pugi::node_document:
      break;
    default:
      return;
  }
  walkSubtree(tree, node, [&stream](pugi::xml_node piece, auto) {
    stream.add(piece);
    return true;
  });
}

bool matchTextOf(Tree& tree, pugi::xml_node node, const TextQuestion& question, std::string& text) {
  text.clear();
  if (node.type() != pugi::node_element && node.type() != pugi::node_document) {
    Matcher matcher{question, text};
    if (node.type() == pugi::node_pcdata) {
      TextStream<Matcher>(tree, matcher).text(node.value());
    } else if (node.type() == pugi::node_cdata || node.type() == pugi::node_comment || node.type() == pugi::node_pi) {
      matcher.append(node.value());
    }
    return matcher.matched();
  }

  TextAnswers& known = tree.textAnswers;
  if (known.valid && known.version == tree.version && sameQuestion(known, question) &&
      known.next < known.answers.size() && known.answers[known.next].node == node.internal_object()) {
    const TextAnswers::Answer& answer = known.answers[known.next++];
    if (answer.matched) text.assign(known.text, 0, answer.length);
    return answer.matched;
  }

  known.valid = false;
  known.version = tree.version;
  if (!sameQuestion(known, question)) {
    known.prefix.assign(question.prefix);
    known.absent = question.absent;
    known.limit = question.limit;
  }
  known.text.clear();
  known.answers.clear();
  known.next = 0;
  // The elements entered while nothing counted yet, with their depths, until the walk leaves them.
  std::vector<std::pair<std::size_t, int>>& open = known.open;
  open.clear();
  Matcher matcher{question, known.text};
  TextStream<Matcher> stream(tree, matcher);
  const auto close = [&](std::size_t answer) {
    known.answers[answer].matched = matcher.matched();
    known.answers[answer].length = known.text.size();
  };
  walkSubtree(tree, node, [&](pugi::xml_node piece, auto level) {
    int depth = 0;  // asked once, and only when needed
    const auto depthNow = [&] { return depth != 0 ? depth : (depth = level()); };
    while (!open.empty() && open.back().second >= depthNow()) {
      close(open.back().first);
      open.pop_back();
    }
    if (piece.type() == pugi::node_element && stream.pristine()) {
      open.emplace_back(known.answers.size(), depthNow());
      known.answers.push_back({piece.internal_object(), false, 0});
    }
    return stream.add(piece);
  });
  // The walk ended, or the text decided: the elements still open answer as the walked one does.
  for (const auto& element : open) close(element.first);
  open.clear();
  known.valid = true;
  const bool matched = matcher.matched();
  if (matched) text = known.text;
  return matched;
}

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml
