// The host's calling convention and the callback types it hands over.
#pragma once
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define QMT_CALL __stdcall
#else
#define QMT_CALL
#endif

#if defined(_WIN32)
#define QMT_EXPORT
#else
#define QMT_EXPORT __attribute__((visibility("default")))
#endif

typedef void(QMT_CALL* AddActionProc)(int32_t id, const char* name, const char* hint,
                                      const unsigned char* types, int32_t count, int32_t count2);
typedef void(QMT_CALL* GetVariableProc)(const char* name, char** value);
typedef void(QMT_CALL* SetVariableProc)(const char* name, const char* value);
typedef void(QMT_CALL* ScriptProcessorProc)(const char* line);
typedef int32_t(QMT_CALL* InterfaceAccessProc)(int32_t code, char** text);

// Export names carry a leading underscore on every build: the Windows DLL
// gets them from its .def file, the native library from these asm labels.
#if defined(_WIN32)
#define QMT_NAME(n)
#else
#define QMT_NAME(n) __asm__(n)
#endif

extern "C" {
QMT_EXPORT int32_t QMT_CALL nbAbout() QMT_NAME("_nbAbout");
QMT_EXPORT unsigned char QMT_CALL nbEditAction(int32_t id, char** params) QMT_NAME("_nbEditAction");
QMT_EXPORT unsigned char QMT_CALL nbExecAction(int32_t id, char** params) QMT_NAME("_nbExecAction");
QMT_EXPORT int32_t QMT_CALL nbInitPlugIn(void* hostWindow, char** title, char** publisher, char** hint)
    QMT_NAME("_nbInitPlugIn");
QMT_EXPORT void QMT_CALL nbMessage(int32_t code, int32_t param) QMT_NAME("_nbMessage");
QMT_EXPORT void* QMT_CALL nbRegisterInterfaceAccess(InterfaceAccessProc proc) QMT_NAME("_nbRegisterInterfaceAccess");
QMT_EXPORT void QMT_CALL nbRegisterPlugIn(AddActionProc addAction, void* unused, GetVariableProc getVariable,
                                          SetVariableProc setVariable) QMT_NAME("_nbRegisterPlugIn");
QMT_EXPORT void* QMT_CALL nbRegisterScriptProcessor(ScriptProcessorProc proc) QMT_NAME("_nbRegisterScriptProcessor");
}
