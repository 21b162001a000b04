#include "orders/OrderNumbers.h"

#include "store/Connection.h"

namespace qh::orders {

qint64 reserveOrderNumbers(store::Connection& db, int count) {
    if (count <= 0 || !db.isOpen()) return -1;
    store::Transaction tx(db);
    if (!tx.isActive()) return -1;
    qint64 first = 0, last = 0;
    for (int i = 0; i < count; ++i) {
        const store::ExecResult done = db.execute(QStringLiteral("INSERT INTO adm_sid (code) values ('CODE')"));
        if (!done.changed() || done.insertedKey <= 0) return -1;
        if (i == 0) first = done.insertedKey;
        // The write lock is held from the first insert, so the keys follow one another.
        if (i > 0 && done.insertedKey != last + 1) return -1;
        last = done.insertedKey;
    }
    if (!db.execute(QStringLiteral("delete from adm_sid where sid<?"), {last})) return -1;
    if (!tx.commit()) return -1;
    return first - 1;
}

}  // namespace qh::orders
