#include "shell/PatientContext.h"

#include <array>
#include <utility>

namespace qh::shell {
namespace {

using Field = QString PatientContext::*;

const std::array<std::pair<const char*, Field>, 24>& fieldTable() {
    static const std::array<std::pair<const char*, Field>, 24> table{{
        {"姓名", &PatientContext::name},
        {"性别", &PatientContext::sex},
        {"年龄", &PatientContext::age},
        {"诊断", &PatientContext::diagnosis},
        {"床号", &PatientContext::bed},
        {"住院号", &PatientContext::admissionNumber},
        {"住院编号", &PatientContext::serialNumber},
        {"住址", &PatientContext::address},
        {"科室", &PatientContext::department},
        {"主诉", &PatientContext::complaint},
        {"入院日期", &PatientContext::admissionDate},
        {"主管医生", &PatientContext::doctor},
        {"病室", &PatientContext::wardRoom},
        {"医疗证号", &PatientContext::insuranceNumber},
        {"职业", &PatientContext::occupation},
        {"出生日期", &PatientContext::birthDate},
        {"联系电话", &PatientContext::phone},
        {"身份证号", &PatientContext::idCardNumber},
        {"联系人", &PatientContext::contact},
        {"患者关系", &PatientContext::contactRelation},
        {"体温", &PatientContext::temperature},
        {"脉搏", &PatientContext::pulse},
        {"呼吸", &PatientContext::respiration},
        {"血压", &PatientContext::bloodPressure},
    }};
    return table;
}

Field fieldOf(const QString& column) {
    for (const auto& [name, field] : fieldTable())
        if (column == QString::fromUtf8(name)) return field;
    return nullptr;
}

}  // namespace

const QStringList& PatientContext::columns() {
    static const QStringList names = [] {
        QStringList out;
        for (const auto& entry : fieldTable()) out << QString::fromUtf8(entry.first);
        return out;
    }();
    return names;
}

QString PatientContext::value(const QString& column) const {
    const Field f = fieldOf(column);
    return f ? this->*f : QString();
}

void PatientContext::setValue(const QString& column, const QString& text) {
    if (const Field f = fieldOf(column)) this->*f = text;
}

}  // namespace qh::shell
