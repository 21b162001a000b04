#include "records/documents/DemoRecords.h"

#include <QTextCursor>
#include <random>

#include "common/Clock.h"
#include "common/DateText.h"
#include "interaction/ScriptedUserInterface.h"
#include "records/documents/PatientRecords.h"
#include "records/templates/DocumentPort.h"
#include "store/Connection.h"

namespace qh::records {

namespace {

QString utf8(const char* s) { return QString::fromUtf8(s); }

// What a doctor writes on the days of a stay: the first days, the middle, the last.
const char* const kEarlyNotes[] = {
    "患者诉症状较入院时无明显变化，夜间睡眠欠佳。查体：神志清，精神可，心肺听诊未闻及明显异常。"
    "入院相关检查已完善，血常规、肝肾功能及电解质结果待回报。继续目前治疗方案，密切观察病情变化。",
    "患者一般情况尚可，饮食、睡眠可，二便正常。查体：生命体征平稳，专科情况同前。"
    "已向患者及家属交代病情及诊疗计划，表示理解并配合治疗。",
    "患者诉症状较前稍有缓解，无发热，无胸闷、气促。辅助检查回报：血常规白细胞轻度升高，余未见明显异常。"
    "根据检查结果调整治疗，继续观察。",
};
const char* const kMiddleNotes[] = {
    "患者症状明显好转，精神、食欲较前改善。查体：生命体征平稳，专科体征较前减轻。"
    "复查相关指标较前好转，治疗有效，继续当前方案。",
    "今日随上级医师查房，上级医师查看患者后指出：目前病情稳定，诊断明确，治疗有效，"
    "嘱继续原方案治疗，注意监测生命体征及出入量。",
    "患者病情平稳，无新发不适。查体同前。复查结果较前改善，已减少静脉用药，逐步过渡至口服药物。",
};
const char* const kLateNotes[] = {
    "患者症状基本消失，精神、饮食、睡眠好，二便正常。查体：生命体征平稳，专科体征明显好转。"
    "患者病情好转，拟近日出院，已交代出院后注意事项及复诊时间。",
    "患者恢复良好，无特殊不适。复查各项指标基本正常，达到出院标准，上级医师同意明日出院。",
};
const char* const kSurgery =
    "术前诊断同入院诊断，手术名称按术前讨论执行。患者取平卧位，麻醉成功后常规消毒、铺巾。"
    "术中探查所见与术前诊断相符，按计划完成手术操作，仔细止血，清点器械、敷料无误后逐层关闭切口。"
    "手术顺利，术中出血约50ml，未输血。术毕患者安返病房，生命体征平稳。术后予抗感染、补液、镇痛等治疗，"
    "注意观察切口及引流情况。";

const char* const kSurgicalCodes[] = {"阑尾", "胆", "椎间盘", "股骨", "溃疡"};

class Dice {
public:
    explicit Dice(unsigned seed) : engine_(seed) {}
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    template <typename T, size_t N>
    const T& pick(const T (&items)[N]) {
        return items[size_t(between(0, int(N) - 1))];
    }

private:
    std::mt19937 engine_;
};

// What the doctor writes after a heading of the template ("现病史：", "病情分析："): the rest
// of that paragraph, the template's guidance, gives way to it. Without the heading the text
// goes to the end.
void writeAfter(RecordDocument& doc, const QString& label, const QString& text) {
    QTextCursor c = doc.body()->find(label);
    if (c.isNull()) {
        c = QTextCursor(doc.body());
        c.movePosition(QTextCursor::End);
        c.insertBlock();
    } else {
        c.clearSelection();
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    }
    QTextCharFormat format = c.charFormat();
    format.setFontWeight(QFont::Normal);
    c.insertText(text, format);
}

struct Passage {
    const char* label;
    QString text;
};

}  // namespace

DemoRecordsResult populateDemoRecords(const store::DataDirectory& files, unsigned seed) {
    DemoRecordsResult result;
    Dice dice(seed);
    struct Stay {
        shell::PatientContext patient;
        QDateTime admitted, left;
        QString status;
    };
    QList<Stay> stays;
    QString hospital;
    {
        store::Connection db = store::Connection::open(files, store::DbFile::Main);
        if (!db.isOpen()) {
            result.message = db.lastError();
            return result;
        }
        hospital = db.query(QStringLiteral("select 医院名称 from 备份")).first().text(QStringLiteral("医院名称"));
        for (const store::Row& row : db.query(QStringLiteral("select * from 在院病人 order by 编号"))) {
            Stay s;
            for (const QString& column : shell::PatientContext::columns()) s.patient.setValue(column, row.text(column));
            s.admitted = dates::parseDateText(s.patient.admissionDate);
            s.left = row.dateTime(QStringLiteral("出院日期"));
            s.status = row.text(QStringLiteral("状态"));
            if (s.admitted.isValid()) stays << s;
        }
    }
    const TemplateSettings settings = loadTemplateSettings(files);
    const QDateTime now = Clock::now();
    const ClockOverride keep;
    ui::ScriptedUserInterface quiet;
    for (const Stay& s : stays) {
        // A few stays have no documents yet: the doctor has not begun writing.
        if (dice.between(0, 9) == 0) continue;
        shell::UserContext user;
        user.userName = s.patient.doctor;
        user.department = s.patient.department;
        user.hospitalName = hospital;
        user.SXBL = true;
        RecordDocumentPort editor;
        PatientRecords book(files, user, editor, quiet, settings);
        book.listRecords(s.patient);
        const QDateTime end = s.left.isValid() && s.status != QStringLiteral("在院") ? s.left : now;
        const auto write = [&](const QDateTime& at, const QString& key, const QList<Passage>& passages) {
            if (at > now) return true;
            Clock::set([at] { return at; });
            bool made = book.addRecordFromMenu(key);
            if (made) {
                for (const Passage& p : passages) writeAfter(editor.document(), utf8(p.label), p.text);
                made = book.saveRecord();
                ++result.documents;
            }
            keep.restore();
            if (!made) result.message = quiet.lastText();
            return made;
        };
        const QString history = QStringLiteral("患者") + s.patient.complaint.section(QStringLiteral("，"), 0, 0) +
                                QStringLiteral("，症状逐渐加重，曾于当地诊所治疗，效果不佳，今为进一步诊治来我院，门诊以“") +
                                s.patient.diagnosis + QStringLiteral("”收入院。发病以来精神、饮食欠佳，睡眠一般，大小便正常，体重无明显变化。");
        bool ok = write(s.admitted.addSecs(3600 * 2), QStringLiteral("入院记录"), {{"现病史：", history}});
        ok = ok && write(s.admitted.addSecs(3600 * 4), QStringLiteral("首次病程记录"),
                         {{"1. 病史：", QStringLiteral("因“") + s.patient.complaint + QStringLiteral("”入院，") + history},
                          {"诊断依据：", QStringLiteral("根据病史、症状、体征及辅助检查结果，诊断“") + s.patient.diagnosis +
                                            QStringLiteral("”成立。")},
                          {"2. 治疗：", QStringLiteral("予对症支持治疗，密切观察病情变化，根据检查结果调整治疗方案。")}});
        bool surgical = false;
        for (const char* word : kSurgicalCodes) surgical = surgical || s.patient.diagnosis.contains(utf8(word));
        if (ok && surgical && s.patient.department == QStringLiteral("外科"))
            ok = write(s.admitted.addDays(1).addSecs(3600 * 3), QStringLiteral("手术记录"),
                       {{"手术经过：", utf8(kSurgery)}, {"术后患者去向：", QStringLiteral("安返病房。")}});
        const int days = int(s.admitted.daysTo(end));
        for (int day = 2; ok && day < days; day += dice.between(2, 3)) {
            const char* note = day <= 3 ? dice.pick(kEarlyNotes) : day + 3 < days ? dice.pick(kMiddleNotes) : dice.pick(kLateNotes);
            QDateTime at(s.admitted.date().addDays(day), QTime(dice.between(8, 10), dice.between(0, 59)));
            ok = write(at, QStringLiteral("日常病程记录"), {{"病情分析：", utf8(note)}});
        }
        if (!ok) return result;
    }
    result.ok = true;
    return result;
}

}  // namespace qh::records
