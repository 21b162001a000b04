#pragma once
// Order numbers come from the counter table adm_sid: its highest sid is the current value.
#include <QtGlobal>

namespace qh::store {
class Connection;
}

namespace qh::orders {

// Reserves `count` consecutive numbers and returns the base B (the numbers are B + 1 …
// B + count), or -1 when the counter could not be written. The rows are inserted in one
// write transaction (nested in the caller's when there is one), so two workstations saving
// at the same moment wait for each other and never draw the same numbers; the base comes
// from the keys the inserts generated, not from a read before them. Older counter rows are
// removed in the same transaction and the newest is kept, so the counter is never empty.
qint64 reserveOrderNumbers(store::Connection& db, int count);

}  // namespace qh::orders
