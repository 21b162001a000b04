#pragma once
// The template page's logic: the list of the paper's templates, the template open in the
// template editor with its three options, and the operations of the page's buttons. The
// view only shows what this holds and passes the boxes' state in.
#include <QString>
#include <QStringList>
#include <QVector>

#include "records/templates/TemplateSettings.h"

namespace qh::ui {
class UserInterface;
}

namespace qh::records {

class DocumentPort;

// The three option boxes of the open template.
struct TemplateOptions {
    bool header = false;    // 页眉 "真": the record shows the uniform page header
    bool multiAdd = false;  // 添加 "真": may be added to a patient any number of times
    bool inMenu = false;    // 选中: shown in the Add menu
};

inline const QString kTemplateOptionsHelp = QStringLiteral(
    "模板显示页眉：选中后在病历中显示统一规格页眉，否则不显示页眉。\r\n"
    "可多次添加：选中后在病历中可多次添加，否则只能添加人1次。\r\n"
    "添加菜单显示：选中后在主页面的【添加】菜单中显示出来，否则添加时只能在更多模板列表中添加。\r\n"
    "         注：添加菜单中最多可显示20个模板，按格式模板列表次序显示。\r\n"
    "             同类模板只选择1个即可，比如4个住院病历，只选择其中1个即可。");

class TemplatePageModel {
public:
    TemplatePageModel(const store::DataDirectory& files, DocumentPort& editor, ui::UserInterface& ui,
                      const TemplateSettings& settings);

    // Reads the list of the paper's templates; no entry is selected afterwards.
    void listTemplates();
    const QVector<TemplateEntry>& entries() const { return entries_; }
    QString countLabel() const;  // "共有模板" + n + "个"
    int selectedRow() const { return selected_; }
    void selectRow(int row) { selected_ = (row >= 0 && row < entries_.size()) ? row : -1; }

    // Asks to save a modified template first, then loads the template with this 编号.
    // False when the template cannot be read.
    bool openTemplate(qint64 id);
    bool openRow(int row);
    void newTemplate();
    // Save and rename say whether they succeeded; a template whose row is gone (deleted at
    // another workstation) is not saved. Delete and the moves leave the list as it is when
    // they changed no row.
    bool saveTemplate();
    bool renameTemplate(const QString& title, const QString& recordTitle);
    void deleteTemplate();
    void moveTemplateUp();
    void moveTemplateDown();
    QStringList listRecordTitles() const { return records::listRecordTitles(files_, settings_.paper); }
    static QString templateOptionsHelpText() { return kTemplateOptionsHelp; }

    // The open template: 0 when none.
    qint64 openId() const { return openId_; }
    QString openTitle() const { return openTitle_; }
    QString openRecordTitle() const { return openRecordTitle_; }
    QString openKey() const { return openKey_; }
    QString caption() const;  // "当前模板： " + 标题
    TemplateOptions& options() { return options_; }
    const TemplateSettings& settings() const { return settings_; }
    const store::DataDirectory& files() const { return files_; }

private:
    // Offers to save the open template when it is modified.
    void offerSave();
    void swapWithNeighbour(int neighbour);

    store::DataDirectory files_;
    DocumentPort& editor_;
    ui::UserInterface& ui_;
    TemplateSettings settings_;
    QVector<TemplateEntry> entries_;
    int selected_ = -1;
    qint64 openId_ = 0;
    QString openTitle_, openRecordTitle_, openKey_;
    TemplateOptions options_;
};

}  // namespace qh::records
