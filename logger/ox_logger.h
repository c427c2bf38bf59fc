/* The logger library's entry points: the text log of the test framework. */
#ifndef OX_LOGGER_H
#define OX_LOGGER_H

#if defined(_WIN32)
#if defined(OX_LOGGER_BUILDING)
#define OX_LOGGER_API __declspec(dllexport)
#else
#define OX_LOGGER_API __declspec(dllimport)
#endif
#else
#define OX_LOGGER_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Callbacks of the protocol-event side; kept, never called by this library. */
typedef void (*ox_EventCallback)(int mode, const char* text);

OX_LOGGER_API void ox_ProtocolEventLogging_registerCallback(ox_EventCallback callback);
OX_LOGGER_API void ox_CmdRspLogging_registerCallback(ox_EventCallback callback);
OX_LOGGER_API void ox_ProtocolEventWithSeqLogging_registerCallback(ox_EventCallback callback);
/* Protocol events go to the text log at info level, tagged with the framework mode. */
OX_LOGGER_API void ox_logProtocolEvent(int mode, const char* event);
OX_LOGGER_API void ox_stopProtocolEventLogging(void);
OX_LOGGER_API void ox_logProtocolEventWithSeq(int mode, unsigned int sequence, const char* event);
/* The file the text log is appended to; "Debug_Log.log" in the working folder by default. */
OX_LOGGER_API void ox_setTextFileLogName(const char* fileName);
/* Appends one line: time stamp, level tag ([DBG], [INF], [WAR], [ERR]) and the message. */
OX_LOGGER_API void ox_logTextEvent(int level, const char* message);
OX_LOGGER_API void ox_logFormattedCmdResponse(const char* command, const char* response);
OX_LOGGER_API void ox_logProtocolMessage(int mode, const char* message);

#ifdef __cplusplus
}
#endif

#endif /* OX_LOGGER_H */
