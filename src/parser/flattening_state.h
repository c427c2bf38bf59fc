// The module-wide state of the message flattening.
#ifndef L3XML_PARSER_FLATTENING_STATE_H
#define L3XML_PARSER_FLATTENING_STATE_H

// Braces "{ " opened by flattenings and not yet closed; shared by every parser, never reset.
extern int openSequenceBraces;

#endif  // L3XML_PARSER_FLATTENING_STATE_H
