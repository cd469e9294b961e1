// Usage texts of the actions, shown by the action editor.
#include "host/catalogue.h"

const char* ActionLongHelp(int id) {
    (void)id;
    return "";
}
