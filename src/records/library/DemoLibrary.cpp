#include "records/library/DemoLibrary.h"

#include <QTextCursor>

#include "interaction/ScriptedUserInterface.h"
#include "records/documents/RecordExport.h"
#include "records/library/TemplateLibrary.h"
#include "records/templates/DocumentPort.h"
#include "store/Connection.h"

namespace qh::records {

namespace {

struct DemoEntry {
    LibraryKind kind;
    const char* name;
    const char* group;  // the record it is for, or the module's group
    bool isPrivate;
    const char* text;
};

struct DemoDoctor {
    const char* name;
    const char* department;
    QList<DemoEntry> entries;
};

const QList<DemoDoctor>& demoDoctors() {
    static const QList<DemoDoctor> doctors = {
        {"张明华",
         "内科",
         {
             {LibraryKind::Disease, "社区获得性肺炎", "入院记录", false,
              "现病史：患者{姓名}，{年龄}，因“{主诉}”入院。起病前有受凉史，出现发热，最高体温39℃，伴咳嗽、咳黄痰，"
              "无咯血、胸痛。\n查体：T {T}℃，P {P}次/分，R {R}次/分，BP {Bp}mmHg。右下肺可闻及湿性啰音。\n"
              "初步诊断：{诊断}"},
             {LibraryKind::Disease, "慢性心力衰竭", "入院记录", true,
              "现病史：患者{姓名}，反复活动后气促、双下肢浮肿，加重伴夜间不能平卧。\n查体：颈静脉充盈，双肺底湿啰音，"
              "双下肢凹陷性水肿。\n初步诊断：{诊断}"},
             {LibraryKind::Module, "肺部查体", "查体", false, "双肺呼吸音粗，右下肺可闻及湿性啰音，未闻及胸膜摩擦音。"},
             {LibraryKind::Module, "心脏查体", "查体", false, "心率齐，各瓣膜听诊区未闻及病理性杂音。"},
             {LibraryKind::Module, "出院医嘱", "医嘱", true, "注意休息，避免受凉，按时服药，两周后门诊复查血常规及胸片。"},
             {LibraryKind::Surgery, "纤维支气管镜检查", "", false,
              "术前准备：禁食6小时，2%利多卡因局部麻醉。\n操作经过：经鼻插入支气管镜，依次检查各叶段支气管，"
              "未见新生物，右下叶可见少量脓性分泌物，予吸引并送培养。\n术后：患者无不适，安返病房。"},
         }},
        {"陈志强",
         "外科",
         {
             {LibraryKind::Disease, "急性阑尾炎", "入院记录", false,
              "现病史：患者{姓名}，{年龄}，转移性右下腹痛，伴恶心、呕吐，无腹泻。\n查体：麦氏点压痛、反跳痛阳性。\n"
              "初步诊断：{诊断}"},
             {LibraryKind::Disease, "胆囊结石伴胆囊炎", "入院记录", true,
              "现病史：患者{姓名}，进食油腻后右上腹痛，向右肩背部放射。\n查体：墨菲征阳性。\n初步诊断：{诊断}"},
             {LibraryKind::Module, "腹部查体", "查体", false, "腹平软，右下腹麦氏点压痛、反跳痛，肠鸣音正常。"},
             {LibraryKind::Module, "术前谈话", "告知", true, "已向患者及家属交代手术风险、麻醉风险及术后可能的并发症，家属表示理解并签字。"},
             {LibraryKind::Surgery, "阑尾切除术", "", false,
              "麻醉：腰硬联合麻醉。\n手术经过：取右下腹麦氏切口，逐层进腹，找到阑尾，见充血水肿，游离系膜，根部结扎切断，"
              "荷包包埋残端。清点器械无误，逐层关腹。\n术后：患者安返病房。"},
             {LibraryKind::Surgery, "腹腔镜胆囊切除术", "", true,
              "麻醉：全身麻醉。\n手术经过：建立气腹，置入套管，解剖胆囊三角，夹闭切断胆囊管及胆囊动脉，剥离胆囊，"
              "取出标本。\n术后：患者安返病房。"},
         }},
    };
    return doctors;
}

}  // namespace

DemoLibraryResult populateDemoLibrary(const store::DataDirectory& files) {
    DemoLibraryResult result;
    ui::ScriptedUserInterface quiet;
    for (const DemoDoctor& d : demoDoctors()) {
        shell::UserContext user;
        user.userName = QString::fromUtf8(d.name);
        user.department = QString::fromUtf8(d.department);
        TemplateLibrary library(files, user, quiet);
        for (const DemoEntry& e : d.entries) {
            RecordDocumentPort page;
            QTextCursor(page.document().body()).insertText(QString::fromUtf8(e.text));
            const NewLibraryEntry entry{QString::fromUtf8(e.name), QString::fromUtf8(e.group), e.isPrivate, {}};
            if (library.saveEntryAs(e.kind, entry, page) <= 0) {
                result.message = quiet.lastText();
                return result;
            }
            ++result.entries;
        }
        // Samples: the doctor's first admission records, with nothing of their patients.
        store::Connection db = store::Connection::open(files, store::DbFile::Main);
        if (!db.isOpen()) {
            result.message = db.lastError();
            return result;
        }
        const store::Rows rows = db.query(
            QStringLiteral("select b.数据, b.病历, p.住院编号, p.诊断 from 在院病历 b join 在院病人 p on p.住院编号=b.检索 "
                           "where p.主管医生=? and b.标题='入院记录' order by b.编号 limit 2"),
            {user.userName});
        db.close();
        for (const store::Row& row : rows) {
            shell::PatientContext patient;
            if (!loadStay(files, row.text(QStringLiteral("住院编号")), &patient)) continue;
            const NewLibraryEntry sample{row.text(QStringLiteral("诊断")), row.text(QStringLiteral("病历")), false, {}};
            if (library.saveRecordAsEntry(LibraryKind::Sample, sample, row.bytes(QStringLiteral("数据")), patient) <= 0) {
                result.message = quiet.lastText();
                return result;
            }
            ++result.entries;
        }
    }
    result.ok = true;
    return result;
}

}  // namespace qh::records
