// The level tags, mode names and text-log file name of the logging declarations.
#include "logging/logging.h"

const char* const logLevelTags[16] = {"",      "[DBG]", "[INF]", "", "[WAR]", "", "", "",
                                      "[ERR]", "",      "",      "", "",      "", "", ""};

const char* const logModeNames[11] = {"FULL_PROTOCOL_MODE", "PDCP_MODE",   "RLC_MODE",      "MAC_MODE",
                                      "HARQ_MODE",          "FADING_MODE", "LTE_MODE",      "HRPD_MODE",
                                      "WCDMA_MODE",         "GERAN_MODE",  "ONE_X_RTT_MODE"};

const char* const textLogFileName = "Debug_Log.log";
