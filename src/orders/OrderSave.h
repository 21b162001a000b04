#pragma once
// Saving a batch of new orders for one patient: a western batch (long-term or temporary)
// or a herbal prescription. The batch is checked whole before anything is written; then
// the numbers are reserved and every line inserted in one transaction, so a batch is
// stored complete or not at all, and "医嘱保存成功" is shown only when every line was stored.
#include <QString>
#include <QVector>

#include "orders/OrderModel.h"
#include "shell/UserContext.h"
#include "store/DatabaseFiles.h"
#include "interaction/UserInterface.h"

namespace qh::orders {

// One row of the western entry grid, by its columns.
struct EntryLine {
    QString dateText;         // 1  order date-time; its date is used, empty: today
    QString marker;           // 2  单开 / 新组 / 承组 / empty
    QString content;          // 3  xmmc
    QString spec;             // 4  xmgg
    QString quantity;         // 5  开具数量
    QString unit;             // 6  its unit
    QString dose;             // 7  dose figure
    QString doseUnit;         // 8  its unit
    QString route;            // 9  用法
    QString frequency;        // 10 频次
    QString doctor;           // 11 ordering doctor
    QString itemId;           // 12 xmid; empty for a free-text order
    QString drugFlag;         // 13 "yp" for drugs, materials and consumables
    QString attribute;        // 14 ypjx
    QString defaultDose;      // 15 yzjl of the item
    QString defaultDoseUnit;  // 16 yzdw of the item
    QString category;         // 17 xmlb
    QString perDay;           // 18 每日数量 (xmsl)
    QString perDayUnit;       // 19 its unit (xmdw)
};

// One row of the herbal entry grid.
struct HerbLine {
    QString name;          // 3  herb
    QString specialUsage;  // 4  先煎, 包煎, …
    QString amount;        // 5  dose of the herb
    QString unit;          // 6
    QString doses;         // 7  付数 (one for the whole prescription)
    QString price;         // 8  price per dosing unit
    QString doctor;        // 9
    QString itemId;        // 11 xmid
    QString spec;          // 15 xmgg
};

struct SaveResult {
    enum Outcome { NoPatient, NoUsage, Refused, Failed, Saved };
    Outcome outcome = NoPatient;
    QString reason;   // why refused or failed, for the log and the command line
    int badLine = 0;  // the 1-based line (of the lines given) that refused the save, 0: none
    qint64 base = 0;  // B of the stored batch
    int stored = 0;   // zyb_yzxx rows written
    QString prescriptionNumber;
    bool saved() const { return outcome == Saved; }
};

class OrderSave {
public:
    OrderSave(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui)
        : files_(files), user_(user), ui_(ui) {}

    // Lines without content are left out; the rest are numbered in order. Nothing happens
    // without a patient; otherwise "医嘱保存成功" or "医嘱保存失败!请检查医嘱内容。".
    SaveResult saveWestern(const QString& serial, OrderKind kind, const QVector<EntryLine>& lines);
    // Herbs without a name are left out. Without a usage "请选择处方用法!" and nothing else.
    SaveResult saveHerbal(const QString& serial, const QString& usage, const QVector<HerbLine>& herbs);

private:
    SaveResult finish(SaveResult result);

    store::DataDirectory files_;
    const shell::UserContext& user_;
    ui::UserInterface& ui_;
};

}  // namespace qh::orders
