// The split actions of a filmstrip. Each handler is complete; they are
// registered under their ids together with the filmstrip window that makes
// a strip to work on.
#pragma once
#include <string>
#include "host/dispatch.h"
#include "host/outcome.h"

void SplitAddAction(const ActionArgs& a);             // 181 FSRect
void SplitRemoveAction(const ActionArgs& a);          // 182 FSRect
void SplitClearAction(const ActionArgs& a);           // 183 FSRect
void SplitListAction(const ActionArgs& a);            // 184 FSRect, Return_var
void SplitSetTransitionAction(const ActionArgs& a);   // 185 FSRect, Type, Duration
void SplitGetSelectedAction(const ActionArgs& a);     // 186 FSRect, Time_var, Type_var, Duration_var
void SplitGetCountAction(const ActionArgs& a);        // 187 FSRect, Return_var
void SplitRenderAction(const ActionArgs& a);          // 188 FSRect, InputFile, OutputFile
void SplitInsertClipAction(const ActionArgs& a);      // 190 FSRect, ClipFile
void SplitSetTransitionOutAction(const ActionArgs& a);  // 191 FSRect, Type, Duration

// Actions 189 and 192 around their dialog: the refusal to report before it
// opens (done when it may open), and what is done after OK with the picked
// "[QMT_PickedTransition]" and "[QMT_PickedDuration]".
Outcome PickTransitionRefusal(const std::string& fsRect, bool exitTransition);
void ApplyPickedTransition(const std::string& fsRect, bool exitTransition);

// A left click at client x on strip `slot`: when it hits a split, selects it,
// publishes its variables and returns true (no seek follows).
bool SelectSplitByClick(int slot, int x);
// "[QMT_SplitCount]" and "[QMT_SplitIndex]".
void PublishSplitCount(int slot);
