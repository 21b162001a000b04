#include "store/SqlText.h"

namespace qh::store {

QString sqlText(const QString& value) {
    QString quoted = value;
    quoted.replace(u'\'', QStringLiteral("''"));
    return quoted;
}

}  // namespace qh::store
