#include "qmltypes.h"

namespace corvane::ui {

namespace {
CorvaneModel *s_app = nullptr;
}

void setAppInstance(CorvaneModel *model) { s_app = model; }
CorvaneModel *appInstance() { return s_app; }

CorvaneModel *AppForeign::create(QQmlEngine *, QJSEngine *engine)
{
    Q_ASSERT(s_app);
    // The engine must not delete the model main() owns.
    engine->setObjectOwnership(s_app, QJSEngine::CppOwnership);
    return s_app;
}

} // namespace corvane::ui
