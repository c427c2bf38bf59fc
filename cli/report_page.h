// The report's page: the HTML with its style sheet and script inline, built into the program from
// the files of cli/report/.
#ifndef L3XML_CLI_REPORT_PAGE_H
#define L3XML_CLI_REPORT_PAGE_H

#include <string>

namespace l3xml_cli {

// The whole page; its data goes where "@L3XML_REPORT_DATA@" stands, as JSON.
std::string reportPageTemplate();

}  // namespace l3xml_cli

#endif  // L3XML_CLI_REPORT_PAGE_H
