#pragma once
// The logged-in user, filled at login and read by every window until the program ends.
#include <QString>

namespace qh::shell {

struct UserContext {
    QString userName;          // empty in first-run mode
    qint64 userId = 0;         // 编号 of the account in 用户; 0 in first-run mode
    QString department;        // trimmed at both ends
    QString hospitalName;      // 备份.医院名称
    QString organisationCode;  // 备份.IP地址
    int frontPageFormat = 0;   // 备份.精灵狗: 1 western medicine, 2 traditional Chinese medicine

    // Permission flags, all false before login.
    bool XTGL = false;  // 系统管理
    bool SXBL = false;  // 书写权限
    bool XGBL = false;  // 修改权限
    bool CYBL = false;  // 查阅权限
    bool HZTW = false;  // 绘制体温
    bool YZCF = false;  // 医嘱处方
    bool YZWH = false;  // 医嘱维护
    bool TJCX = false;  // 统计查询

    void grantAll() { XTGL = SXBL = XGBL = CYBL = HZTW = YZCF = YZWH = TJCX = true; }
};

}  // namespace qh::shell
