// Widgets belong in ui/: allowed.
#pragma once
#include <QtWidgets/QWidget>
