// The report's page, put together from the HTML, style sheet and script built into the program.
#include "report_page.h"

namespace l3xml_cli {

extern const std::string reportAsset_report_html;
extern const std::string reportAsset_report_css;
extern const std::string reportAsset_report_js;

namespace {

void put(std::string& page, const std::string& slot, const std::string& text) {
  const std::size_t at = page.find(slot);
  if (at != std::string::npos) page.replace(at, slot.size(), text);
}

}  // namespace

std::string reportPageTemplate() {
  std::string page = reportAsset_report_html;
  put(page, "@L3XML_REPORT_STYLE@", reportAsset_report_css);
  put(page, "@L3XML_REPORT_SCRIPT@", reportAsset_report_js);
  return page;
}

}  // namespace l3xml_cli
