#include <gtest/gtest.h>

#include "shell/CommandRegistry.h"
#include "shell/MainCommands.h"
#include "shell/OfferSave.h"
#include "interaction/ScriptedUserInterface.h"

namespace qh::shell {
namespace {

class FakeDocument : public EditableDocument {
public:
    bool isModified() const override { return modified; }
    QString title() const override { return "入院记录"; }
    bool save() override {
        ++saves;
        if (saveWorks) modified = false;
        return saveWorks;
    }
    void discardChanges() override { modified = false; }
    bool modified = true;
    bool saveWorks = true;
    int saves = 0;
};

TEST(OfferSave, AsksOnlyForAModifiedDocumentSavesOnOkDiscardsOnCancelAndReportsAFailedSave) {
    ui::ScriptedUserInterface ui;
    PatientContext patient;
    patient.name = "张三";
    FakeDocument doc;
    ui.answerMessageDialog(1);
    EXPECT_EQ(offerSave(ui, patient, &doc), OfferSaveOutcome::Saved);
    ASSERT_EQ(ui.shown().size(), 1);
    EXPECT_TRUE(ui.shown()[0].withCancel);
    EXPECT_EQ(ui.shown()[0].text, "     患者     【张三】\r\r《入院记录》已修改，是否保存？");
    EXPECT_EQ(doc.saves, 1);
    EXPECT_EQ(offerSave(ui, patient, &doc), OfferSaveOutcome::NotModified);
    EXPECT_EQ(offerSave(ui, patient, nullptr), OfferSaveOutcome::NotModified);
    EXPECT_EQ(ui.shown().size(), 1);

    doc.modified = true;
    ui.answerMessageDialog(0);
    EXPECT_EQ(offerSave(ui, patient, &doc), OfferSaveOutcome::Discarded);
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(doc.saves, 1);

    doc.modified = true;
    doc.saveWorks = false;
    ui.answerMessageDialog(1);
    EXPECT_EQ(offerSave(ui, patient, &doc), OfferSaveOutcome::SaveFailed);
    EXPECT_TRUE(doc.modified);  // nothing lost
}

TEST(MainCommands, PanelAndListMenuFollowFlagsAndStatus) {
    UserContext user;
    user.TJCX = true;
    int hidden = 0;
    for (const CommandItem& item : commandPanel()) hidden += !commandVisible(item.id, user, PatientStatus::None);
    EXPECT_EQ(hidden, 4);  // XTGL false: the four administrative entries
    user.TJCX = false;
    EXPECT_FALSE(commandVisible(cmd::Statistics, user, PatientStatus::None));
    user.grantAll();
    EXPECT_TRUE(commandVisible(cmd::Users, user, PatientStatus::None));

    const struct { QString id; PatientStatus status; bool visible; } cases[] = {
        {cmd::Return, PatientStatus::InWard, false},  {cmd::Pending, PatientStatus::InWard, true},
        {cmd::Pending, PatientStatus::Pending, false}, {cmd::Return, PatientStatus::Pending, true},
        {cmd::Discharge, PatientStatus::Discharged, false}, {cmd::Transfer, PatientStatus::Discharged, true}};
    for (const auto& c : cases) EXPECT_EQ(commandVisible(c.id, user, c.status), c.visible) << c.id.toStdString();
}

TEST(CommandRegistry, RunsOnlyEnabledCommandsOffersSaveFirstWhereAskedAndFollowsTheSelection) {
    CommandRegistry commands;
    QStringList ran;
    QStringList changed;
    QObject::connect(&commands, &CommandRegistry::stateChanged, [&](const QString& id) { changed << id; });
    commands.setOfferSave([&] { ran << "offer"; });
    commands.setHandler(cmd::Settings, [&] { ran << "settings"; });
    commands.setHandler(cmd::SaveRecord, [&] { ran << "save"; }, CommandRegistry::Needs::Patient);

    EXPECT_FALSE(commands.run(cmd::Admit));  // nobody installed it
    EXPECT_FALSE(commands.isEnabled(cmd::SaveRecord));
    EXPECT_FALSE(commands.run(cmd::SaveRecord));  // no patient selected
    EXPECT_TRUE(commands.run(cmd::Settings));
    EXPECT_EQ(ran, (QStringList{"offer", "settings"}));  // settings is asked to save first

    changed.clear();
    commands.setPatientSelected(true);
    EXPECT_EQ(changed, QStringList{cmd::SaveRecord});
    EXPECT_TRUE(commands.run(cmd::SaveRecord));
    EXPECT_EQ(ran.last(), "save");
    EXPECT_EQ(ran.count("offer"), 1);  // saving itself asks nothing
    // Leaving the record page for another patient page asks first.
    commands.setHandler(cmd::OrdersPage, [&] { ran << "orders"; }, CommandRegistry::Needs::Patient);
    EXPECT_TRUE(commands.run(cmd::OrdersPage));
    EXPECT_EQ(ran.mid(ran.size() - 2), (QStringList{"offer", "orders"}));

    commands.setCaption(cmd::addItem(1), "入院记录", true);
    commands.setCaption(cmd::addItem(2), QString(), false);
    EXPECT_EQ(commands.caption(cmd::addItem(1)), "入院记录");
    EXPECT_FALSE(commands.isShown(cmd::addItem(2)));
    EXPECT_TRUE(commands.isShown(cmd::Exit));  // items without a caption of their own show
}

}  // namespace
}  // namespace qh::shell
