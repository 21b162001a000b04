// A logic file that reaches for a widget: the layering check must refuse it.
#include <QtWidgets/QWidget>
