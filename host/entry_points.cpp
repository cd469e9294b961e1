// The eight exports the host calls.
#include "host/catalogue.h"
#include "host/dialogs.h"
#include "host/dispatch.h"
#include "host/host_state.h"
#include "host/plugin_api.h"
#include "host/teardown.h"

static const char kTitle[] = "Quillmont";
static const char kPublisher[] = "Quillmont video tools";
static const char kHint[] =
    "V1.3 - Professional video editing plugin. 144 actions. Trim, split, join, concat with transitions. "
    "Effects: brightness, contrast, saturation, blur, sharpen, grayscale, sepia, vignette, denoise. "
    "Chroma key, stabilize, deinterlace, reverse. Text/image overlays, watermarks. "
    "Export: MP4, WebM, GIF, audio extract, compress, batch. Embedded MCI player, interactive filmstrip, "
    "waveform, track lanes. Interactive split system with clip insert and 35 transition types. Powered by FFmpeg.";

extern "C" {

QMT_EXPORT int32_t QMT_CALL nbAbout() { return RunAboutBox(); }

QMT_EXPORT unsigned char QMT_CALL nbEditAction(int32_t id, char** params) {
    return RunActionEditor(id, params) ? 1 : 0;
}

QMT_EXPORT unsigned char QMT_CALL nbExecAction(int32_t id, char** params) {
    DispatchAction(id, params);
    return 1;
}

QMT_EXPORT int32_t QMT_CALL nbInitPlugIn(void* hostWindow, char** title, char** publisher, char** hint) {
    g_host.hostWindow = hostWindow;
    PutHeapText(title, kTitle);
    PutHeapText(publisher, kPublisher);
    PutHeapText(hint, kHint);
    return InitCommonControlsStandard();
}

QMT_EXPORT void QMT_CALL nbMessage(int32_t code, int32_t /*param*/) {
    if (code == 2) PageTearDown();
}

QMT_EXPORT void* QMT_CALL nbRegisterInterfaceAccess(InterfaceAccessProc proc) {
    g_host.interfaceAccess = proc;
    return reinterpret_cast<void*>(proc);
}

QMT_EXPORT void QMT_CALL nbRegisterPlugIn(AddActionProc addAction, void* /*unused*/, GetVariableProc getVariable,
                                          SetVariableProc setVariable) {
    g_host.addAction = addAction;
    g_host.getVariable = getVariable;
    g_host.setVariable = setVariable;
    for (int i = 0; i < kCatalogueRows; ++i) {
        const CatalogueRow& row = kCatalogue[i];
        unsigned char types[16] = {0};
        for (int p = 0; p < row.count && p < 15; ++p) types[p] = static_cast<unsigned char>(row.types[p] - '0');
        AddActionProc add = g_host.addAction;  // the host may drop it between rows
        if (add) add(row.id, row.name, row.hint, types, row.count, row.count);
    }
}

QMT_EXPORT void* QMT_CALL nbRegisterScriptProcessor(ScriptProcessorProc proc) {
    g_host.scriptProcessor = proc;
    return reinterpret_cast<void*>(proc);
}

}  // extern "C"
