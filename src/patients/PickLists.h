#pragma once
// The lists the patient forms offer: doctors of a department, departments, the common
// entries of 系统设置 (coding database), the parameter lists of xmzdb and the diagnosis
// search in ICD10. A file that does not open gives an empty list.
#include <QString>
#include <QStringList>

#include "store/DatabaseFiles.h"

namespace qh::patients {

inline const QStringList kSexes{QStringLiteral("男"), QStringLiteral("女")};
inline const QStringList kAgeUnits{QStringLiteral("岁"), QStringLiteral("月"), QStringLiteral("天")};

// "select * from 用户 where 科室='…'": the 用户 names.
QStringList usersOfDepartment(const store::DataDirectory& files, const QString& department);
// The department's doctors: its users whose 级别 is not "护师" (a nurse is never a patient's
// 主管医生).
QStringList doctorsOfDepartment(const store::DataDirectory& files, const QString& department);
// "select * from 科室": the department names.
QStringList departments(const store::DataDirectory& files);
// 系统设置 rows with 备注 = note ("疾病名称", "联系地址", "主诉"): their 项目.
QStringList commonEntries(const store::DataDirectory& files, const QString& note);
// An xmzdb list ("职业", "患者关系") in the order of 参数值: its 参数名称.
QStringList parameterList(const store::DataDirectory& files, const QString& listName);
// Diagnosis names (ICDMC) whose initials begin with, or whose name contains, the text.
QStringList searchDiagnoses(const store::DataDirectory& files, const QString& typed);

}  // namespace qh::patients
