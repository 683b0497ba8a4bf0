#include "app.h"

namespace tavo::shell {

App& app() {
    static App instance;
    return instance;
}

}  // namespace tavo::shell
