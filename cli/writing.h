// Writes into working copies: refused when the lookup would never read them back, and reported
// as the changes they made (or, in a dry run, would make).
#ifndef L3XML_CLI_WRITING_H
#define L3XML_CLI_WRITING_H

#include <l3xml/framework.h>

#include "session.h"

namespace l3xml_cli {

// Whether the write into ref's working copy may go ahead. One that the lookup would not read back
// is an error (a dry run only warns): no command reports success for a value nobody reads.
bool mayWrite(Session& session, const TemplateRef& ref, bool dryRun);

// A written working copy that holds PIXIT references the campaign does not define would flatten
// with empty values: each is an error. Nothing to check without a campaign.
void checkReferences(Session& session, const l3xml::Framework& framework, const l3xml::Campaign* campaign,
                     const std::string& workingCopy);

// The changes on standard output and where they went; JSON when asked.
int reportWrite(const Context& context, Session& session, const TemplateRef& ref, const l3xml::Changes& changes,
                bool dryRun);

// The option that makes a write a dry run.
void addDryRunFlag(CLI::App& command, bool& dryRun);

}  // namespace l3xml_cli

#endif  // L3XML_CLI_WRITING_H
