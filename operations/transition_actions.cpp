// The transition list actions and the render that uses the list.
#include <cstdlib>
#include "host/dispatch.h"
#include "host/host_state.h"
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "operations/transition_list.h"
#include "operations/transition_render.h"
#include "toolchain/time_values.h"

static void PublishCount() { SetHostVar("[QMT_TransCount]", Fmt("%d", TransitionCount())); }

static void Add(const ActionArgs& a) {
    ReportStart();
    int index = 0;
    switch (AddTransition(ParseTimeValue(a.text(0)), a.text(1), a.text(2), &index)) {
        case kTransitionListFull:
            ReportError(msg::kTransitionsFull);
            return;
        case kTransitionBadType:
            ReportError(msg::kUnknownTransitionType);
            return;
        case kTransitionAdded:
            break;
    }
    SetHostVar(a.text(3), Fmt("%d", index));
    PublishCount();
    ReportComplete();
}

static void Remove(const ActionArgs& a) {
    ReportStart();
    if (!RemoveTransition(atoi(a.raw(0)))) {
        ReportError(msg::kInvalidTransitionIndex);
        return;
    }
    PublishCount();
    SetHostVar(a.text(1), "True");
    ReportComplete();
}

static void Clear(const ActionArgs&) {
    ReportStart();
    ClearTransitions();
    PublishCount();
    ReportComplete();
}

static void List(const ActionArgs& a) {
    ReportStart();
    SetHostVar(a.text(0), TransitionListText());
    PublishCount();
    ReportComplete();
}

static void Render(const ActionArgs& a) {
    ReportStart();
    RenderTransitions(a.text(0), a.text(1), a.text(2));
}

static void Types(const ActionArgs& a) {
    ReportStart();
    SetHostVar(a.text(0), TransitionTypesText());
    ReportComplete();
}

void RegisterTransitionActions() {
    RegisterAction(171, Add);
    RegisterAction(172, Remove);
    RegisterAction(173, Clear);
    RegisterAction(174, List);
    RegisterAction(175, Render);
    RegisterAction(176, Types);
}
