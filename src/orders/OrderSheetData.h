#pragma once
// What the sheets, cards and slips read besides the orders' own lists: a row of the order
// views as a StoredOrder, the hospital's name for titles, and a stay's patient.
#include <QString>

#include "orders/OrderLists.h"
#include "shell/PatientContext.h"
#include "store/Connection.h"

namespace qh::orders {

// 备份.医院名称.
QString sheetHospitalName(const store::DataDirectory& files);
// The 在院病人 row of a stay (住院编号); false when there is none.
bool readStayPatient(const store::DataDirectory& files, const QString& serial, shell::PatientContext* patient);

}  // namespace qh::orders
