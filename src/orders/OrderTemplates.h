#pragma once
// Order templates: the lines of an entry grid kept under a name, per kind (long-term,
// temporary, herbal), in 模板序号 (one row per template) and 医嘱模板 (one row per line),
// read back through view_mbky and poured into the entry grid of the same kind.
#include <QString>
#include <QVector>
#include <optional>

#include "orders/OrderModel.h"
#include "shell/UserContext.h"
#include "store/DatabaseFiles.h"
#include "interaction/UserInterface.h"

namespace qh::orders {

class WesternEntry;
class HerbalEntry;

inline const QString kTemplateSaveTitle = QStringLiteral("医嘱模板保存");
inline const QString kTemplateNamePrompt = QStringLiteral("请输入模板名称！");
inline const QString kTemplateSaveFailed = QStringLiteral("医嘱模板保存失败！");
inline const QString kTemplateNotOwn = QStringLiteral("操作错误，只能修改本人的医嘱模板！");
inline const QString kHerbalDosesTitle = QStringLiteral("中药处方");
inline const QString kHerbalDosesPrompt = QStringLiteral("请输入中药剂数！");

// "ZY-CQXY", "ZY-LSXY", "ZY-CYCF".
QString templateKindCode(OrderKind kind);

struct OrderTemplate {
    qint64 sid = 0;
    QString name, kindCode, owner, department;
    bool shared = true;  // 加密 "否", empty or null
};

enum class TemplateScope {
    Own,     // the user's own templates of the kind
    Shared,  // every shared template of the kind
    Search   // shared ones (and the user's own) whose name contains the text
};

class OrderTemplates {
public:
    OrderTemplates(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui)
        : files_(files), user_(user), ui_(ui) {}

    // SaveOrderTemplate: asks for the name, then stores the template and every line with
    // content in one transaction; "医嘱模板【name】保存成功！" only when all were stored.
    // Lines without an item (free-text orders) cannot be kept and are named in a second
    // message. Returns the new template's sid, 0 when nothing was stored.
    qint64 save(WesternEntry& entry, OrderKind kind);
    qint64 save(HerbalEntry& entry);

    QVector<OrderTemplate> list(OrderKind kind, TemplateScope scope, const QString& text = QString()) const;
    std::optional<OrderTemplate> find(qint64 sid) const;

    // ApplyOrderTemplate: appends the template's lines to the grid as unsaved entry lines.
    // A template of another kind is not applied. The herbal grid asks once for the number
    // of doses. Returns the lines appended, -1 when refused or cancelled.
    int apply(qint64 sid, WesternEntry& entry, OrderKind kind);
    int apply(qint64 sid, HerbalEntry& entry);

    // Only the owner renames, deletes (after the question) or shares a template.
    bool rename(qint64 sid, const QString& name);
    bool remove(qint64 sid);
    bool setShared(qint64 sid, bool shared);

private:
    qint64 store(OrderKind kind, const QString& name, const QVector<QStringList>& lines, const QStringList& leftOut);

    store::DataDirectory files_;
    const shell::UserContext& user_;
    ui::UserInterface& ui_;
};

}  // namespace qh::orders
