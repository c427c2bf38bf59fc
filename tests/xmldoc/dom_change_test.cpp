// Changing a document: put_text and replaceChild, within one document and across two.
#include "dom_conformance.h"

#include "test_files.h"

namespace l3xml_test {
namespace {

using l3xml::dom::failed;
using l3xml::dom::kInvalidArg;
using l3xml::dom::kOk;
using Names = std::vector<std::string>;

// What a document saves, to see what it holds.
std::string savedBytes(IXMLDOMDocument* document) {
  TempDir dir;
  EXPECT_EQ(document->save(dir / "saved.xml"), kOk);
  return layoutOf(readFile(dir / "saved.xml"));
}

TEST_P(XmlDomTest, PutTextReplacesAllContentAndKeepsAttributes) {
  ComPtr<IXMLDOMDocument> document = parse("<r a=\"1\">\n  <x>1</x><!--c--><![CDATA[d]]><?p q?>t\n</r>");
  ComPtr<IXMLDOMNode> root = rootOf(document.Get());
  ComPtr<IXMLDOMNodeList> children = childrenOf(root.Get());
  ComPtr<IXMLDOMNode> removed = childOf(root.Get(), 0);
  ASSERT_EQ(root->put_text("  new "), kOk);
  EXPECT_EQ(namesOf(children.Get()), (Names{"#text"}));  // child lists follow changes
  EXPECT_EQ(valueOf(childOf(root.Get(), 0).Get()), "  new ");
  EXPECT_EQ(textOf(root.Get()), "new");
  EXPECT_EQ(savedBytes(document.Get()), savedForm("<r a=\"1\">  new </r>\n"));
  EXPECT_EQ(textOf(removed.Get()), "1");  // a removed node stays usable

  ASSERT_EQ(root->put_text(""), kOk);
  EXPECT_EQ(lengthOf(children.Get()), 0);
  EXPECT_EQ(savedBytes(document.Get()), savedForm("<r a=\"1\"/>\n"));
}

TEST_P(XmlDomTest, ReplaceChildMovesANodeFromAnotherDocument) {
  ComPtr<IXMLDOMDocument> target = parse("<a><old>1</old><keep/></a>");
  ComPtr<IXMLDOMDocument> source = parse("<b>\n\t<new k=\"v\">2<i/></new>\n\t<other/>\n</b>");
  ComPtr<IXMLDOMNode> incoming = selectOne(source.Get(), "//new");
  ComPtr<IXMLDOMNode> outgoing = selectOne(target.Get(), "//old");
  ComPtr<IXMLDOMNode> returned;
  ASSERT_EQ(rootOf(target.Get())->replaceChild(incoming.Get(), outgoing.Get(), &returned), kOk);

  ASSERT_TRUE(returned);
  EXPECT_EQ(nameOf(returned.Get()), "old");
  EXPECT_EQ(textOf(returned.Get()), "1");
  EXPECT_EQ(namesOf(childrenOf(rootOf(target.Get()).Get()).Get()), (Names{"new", "keep"}));
  EXPECT_EQ(lengthOf(select(target.Get(), "//old").Get()), 0);
  EXPECT_EQ(lengthOf(select(source.Get(), "//new").Get()), 0);
  EXPECT_EQ(namesOf(childrenOf(rootOf(source.Get()).Get()).Get()), (Names{"other"}));
  EXPECT_EQ(savedBytes(target.Get()), savedForm("<a><new k=\"v\">2<i/></new><keep/></a>\n"));
  EXPECT_EQ(savedBytes(source.Get()), savedForm("<b>\n\t<other/>\n</b>\n"));

  // The moved node now belongs to the target.
  ASSERT_EQ(incoming->put_text("3"), kOk);
  EXPECT_EQ(textOf(target.Get()), "3");
}

TEST_P(XmlDomTest, ReplaceChildWithinOneDocument) {
  ComPtr<IXMLDOMDocument> document = parse("<a><x>1</x><y>2</y></a>");
  ASSERT_EQ(rootOf(document.Get())
                ->replaceChild(selectOne(document.Get(), "//y").Get(), selectOne(document.Get(), "//x").Get(), nullptr),
            kOk);
  EXPECT_EQ(savedBytes(document.Get()), savedForm("<a><y>2</y></a>\n"));
}

TEST_P(XmlDomTest, ReplaceChildOfANodeThatIsNoChildChangesNothing) {
  ComPtr<IXMLDOMDocument> document = parse("<a><x><g/></x></a>");
  ComPtr<IXMLDOMDocument> other = parse("<b><c/></b>");
  ComPtr<IXMLDOMNode> root = rootOf(document.Get());
  ComPtr<IXMLDOMNode> incoming = selectOne(other.Get(), "//c");
  for (const ComPtr<IXMLDOMNode>& notAChild : {selectOne(document.Get(), "//g"), root, rootOf(other.Get())}) {
    ComPtr<IXMLDOMNode> returned = root;
    EXPECT_EQ(root->replaceChild(incoming.Get(), notAChild.Get(), &returned), kInvalidArg);
    EXPECT_FALSE(returned);
  }
  EXPECT_TRUE(failed(root->replaceChild(nullptr, childOf(root.Get(), 0).Get(), nullptr)));
  EXPECT_TRUE(failed(root->replaceChild(incoming.Get(), nullptr, nullptr)));
  EXPECT_EQ(savedBytes(document.Get()), savedForm("<a><x><g/></x></a>\n"));
  EXPECT_EQ(savedBytes(other.Get()), savedForm("<b><c/></b>\n"));
}

// In documents whose indentation nothing has asked about yet (no attributes, references or
// comments), blank text that a change brings in is text, and the indentation stays no node.
TEST_P(XmlDomTest, BlankTextFromAChangeIsTextBesideUnreadIndentation) {
  ComPtr<IXMLDOMDocument> document = parse("<r>\n  <a>1</a>\n  <b/>\n</r>");
  ComPtr<IXMLDOMNode> b = selectOne(document.Get(), "//b");
  ASSERT_EQ(b->put_text("  "), kOk);
  EXPECT_EQ(namesOf(childrenOf(b.Get()).Get()), (Names{"#text"}));
  EXPECT_EQ(namesOf(childrenOf(rootOf(document.Get()).Get()).Get()), (Names{"a", "b"}));

  ComPtr<IXMLDOMDocument> source = parse("<s>\n\t<n>\n\t\t<i/>\n\t</n>\n</s>");
  ComPtr<IXMLDOMNode> moved = selectOne(source.Get(), "//n");
  ASSERT_EQ(rootOf(document.Get())->replaceChild(moved.Get(), selectOne(document.Get(), "//a").Get(), nullptr), kOk);
  EXPECT_EQ(namesOf(childrenOf(moved.Get()).Get()), (Names{"i"}));
  EXPECT_EQ(namesOf(childrenOf(rootOf(document.Get()).Get()).Get()), (Names{"n", "b"}));
  EXPECT_EQ(namesOf(childrenOf(rootOf(source.Get()).Get()).Get()), Names{});
}

}  // namespace
}  // namespace l3xml_test
