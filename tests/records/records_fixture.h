#pragma once
// A ward with the starter templates and one patient, and the record documents' logic over
// an editor without widgets; printing goes to a PDF file.
#include <QPdfWriter>

#include "common/Clock.h"
#include "interaction/ScriptedUserInterface.h"
#include "records/documents/PatientRecords.h"
#include "records/editor/EwdFormat.h"
#include "records/editor/RecordDocument.h"
#include "records/templates/DocumentPort.h"
#include "templates_fixture.h"

namespace qh::test {

class RecordsWard : public TemplatesWard {
protected:
    void SetUp() override {
        makeWard(true);
        Clock::set([] { return QDateTime(QDate(2016, 3, 7), QTime(15, 5)); });
        patient_.name = QStringLiteral("张三");
        patient_.sex = QStringLiteral("男");
        patient_.age = QStringLiteral("40岁");
        patient_.diagnosis = QStringLiteral("社区获得性肺炎");
        patient_.bed = QStringLiteral("12");
        patient_.admissionNumber = QStringLiteral("1001");
        patient_.serialNumber = QStringLiteral("2016000101");
        patient_.department = QStringLiteral("内科");
        patient_.doctor = QStringLiteral("李医生");
        patient_.wardRoom = QStringLiteral("3");
        patient_.admissionDate = QStringLiteral("2016年3月5日8时30分");
        patient_.birthDate = QStringLiteral("1976年2月1日");
        patient_.complaint = QStringLiteral("发热咳嗽3天");
        doctor_.userName = QStringLiteral("李医生");
        doctor_.department = QStringLiteral("内科");
        doctor_.hospitalName = QStringLiteral("青禾县人民医院");
        doctor_.SXBL = true;
    }
    void TearDown() override { Clock::set({}); }

    // The logic for a user, over the fixture's editor, with the patient listed.
    records::PatientRecords& records(const shell::UserContext& user) {
        logic_ = std::make_unique<records::PatientRecords>(files_, user, editor_, ui_,
                                                             records::loadTemplateSettings(files_));
        logic_->setPrinter([this](bool continued) {
            ++printed_;
            QPdfWriter pdf(dir_.file(QStringLiteral("print%1.pdf").arg(printed_)));
            return continued ? records::continuePrint(editor_.document(), &pdf)
                             : records::printDocument(editor_.document(), &pdf, true);
        });
        logic_->listRecords(patient_);
        return *logic_;
    }
    records::PatientRecords& records() { return records(doctor_); }

    store::Row row(qint64 id) { return db_.query(QStringLiteral("select * from 在院病历 where 编号=?"), {id}).first(); }
    int rowCount() { return int(read(QStringLiteral("select count(*) from 在院病历")).toInt()); }
    // The stored document's body text.
    QString storedText(qint64 id) {
        records::RecordDocument doc;
        if (!records::decodeEwd(row(id).bytes(QStringLiteral("数据")), doc, nullptr)) return QStringLiteral("<damaged>");
        return doc.body()->toPlainText();
    }
    void type(const QString& text) {
        QTextCursor c(editor_.document().body());
        c.movePosition(QTextCursor::End);
        c.insertText(text);
    }

    shell::PatientContext patient_;
    shell::UserContext doctor_;
    ui::ScriptedUserInterface ui_;
    records::RecordDocumentPort editor_;
    std::unique_ptr<records::PatientRecords> logic_;
    int printed_ = 0;
};

}  // namespace qh::test
