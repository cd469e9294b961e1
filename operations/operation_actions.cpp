// Registers every file-operation action; each group lives in its own file.
#include "host/dispatch.h"

void RegisterSingleCommandActions();  // operations/single_command_actions.cpp
void RegisterCutJoinActions();        // operations/cut_join_actions.cpp
void RegisterCompositeActions();      // operations/composite_actions.cpp
void RegisterBatchAction();           // operations/batch_action.cpp
void RegisterExportAction();          // operations/export_action.cpp

void RegisterOperationActions() {
    RegisterSingleCommandActions();
    RegisterCutJoinActions();
    RegisterCompositeActions();
    RegisterBatchAction();
    RegisterExportAction();
}
