// A logic header that includes a window's header: refused as well.
#pragma once
#include "orders/ui/OrderPage.h"
