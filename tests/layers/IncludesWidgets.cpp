// Must not build: the headless core offers no QtWidgets headers (the test
// Layers.CoreCannotIncludeQtWidgets expects this build to fail).
#include <QWidget>

int LayerCheckWidgets()
{
    return sizeof(QWidget);
}
