#include "patients/ui/AdmissionWindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/Clock.h"
#include "common/DateText.h"
#include "patients/PickLists.h"
#include "patients/ui/FormFields.h"
#include "interaction/ui/DateField.h"

namespace qh::patients {

AdmissionWindow::AdmissionWindow(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui, QWidget* parent)
    : QDialog(parent), files_(files), admission_(files, user, ui) {
    setWindowTitle(QStringLiteral("登记患者"));
    setModal(true);
    const AdmissionLists lists = admission_.openLists();

    name_ = textBox("name");
    // Only a listed doctor can be chosen; a doctor registering their own patient finds
    // themselves chosen already.
    doctor_ = pickList(false, "doctor", lists.doctors);
    doctor_->setCurrentIndex(lists.doctors.indexOf(user.userName));
    age_ = textBox("age");
    unit_ = new QComboBox;
    unit_->setObjectName(QStringLiteral("ageUnit"));
    unit_->addItems(kAgeUnits);
    number_ = textBox("admissionNumber");
    address_ = pickList(true, "address", lists.addresses);
    diagnosis_ = pickList(true, "diagnosis", lists.diagnoses);
    sex_ = new QComboBox;
    sex_->setObjectName(QStringLiteral("sex"));
    sex_->addItems(kSexes);
    sex_->setCurrentIndex(-1);
    admitted_ = new ui::DateField(Clock::now(), QStringLiteral("yyyy-MM-dd HH:mm"));
    admitted_->setObjectName(QStringLiteral("admissionDate"));
    bed_ = textBox("bed");
    room_ = textBox("room");
    complaint_ = pickList(true, "complaint", lists.complaints);
    card_ = textBox("insuranceNumber");
    occupation_ = pickList(true, "occupation", lists.occupations);
    birth_ = new ui::DateField(QDateTime(Clock::now().date(), QTime(0, 0)), QStringLiteral("yyyy-MM-dd"));
    birth_->setObjectName(QStringLiteral("birthDate"));
    phone_ = textBox("phone");
    idCard_ = textBox("idCardNumber");
    contact_ = textBox("contact");
    relation_ = pickList(true, "relation", lists.relations);
    temperature_ = textBox("temperature");
    pulse_ = textBox("pulse");
    respiration_ = textBox("respiration");
    systolic_ = textBox("systolic");
    diastolic_ = textBox("diastolic");

    auto* ageRow = new QHBoxLayout;
    ageRow->addWidget(age_, 1);
    ageRow->addWidget(unit_);
    auto* pressureRow = new QHBoxLayout;
    pressureRow->addWidget(systolic_);
    pressureRow->addWidget(new QLabel(QStringLiteral("/")));
    pressureRow->addWidget(diastolic_);
    pressureRow->addWidget(new QLabel(QStringLiteral("mmHg")));

    auto* grid = new QGridLayout;
    int row = 0, col = 0;
    // Required fields carry a red star; the fields take the Tab order of the grid, row by row.
    const auto add = [&](const QString& caption, auto* field, bool required = false) {
        // Rich text would fold the spaces that align the captions.
        auto* label = new QLabel(required ? QString(caption).replace(' ', QStringLiteral("&nbsp;")) +
                                                QStringLiteral("<span style=\"color:#c00000\">*</span>")
                                          : caption);
        grid->addWidget(label, row, col * 2);
        if constexpr (std::is_base_of_v<QLayout, std::remove_pointer_t<decltype(field)>>)
            grid->addLayout(field, row, col * 2 + 1);
        else
            grid->addWidget(field, row, col * 2 + 1);
        if (++col == 2) col = 0, ++row;
    };
    add(QStringLiteral("姓    名"), name_, true);
    add(QStringLiteral("主管医生"), doctor_);
    add(QStringLiteral("年    龄"), ageRow, true);
    add(QStringLiteral("住 院 号"), number_, true);
    add(QStringLiteral("性    别"), sex_, true);
    add(QStringLiteral("入院日期"), admitted_);
    add(QStringLiteral("床    号"), bed_);
    add(QStringLiteral("病    室"), room_);
    add(QStringLiteral("诊    断"), diagnosis_);
    add(QStringLiteral("主    诉"), complaint_);
    add(QStringLiteral("住    址"), address_);
    add(QStringLiteral("医疗证号"), card_);
    add(QStringLiteral("职    业"), occupation_);
    add(QStringLiteral("出生日期"), birth_);
    add(QStringLiteral("联系电话"), phone_);
    add(QStringLiteral("身份证号"), idCard_);
    add(QStringLiteral("联 系 人"), contact_);
    add(QStringLiteral("患者关系"), relation_);
    add(QStringLiteral("体    温"), temperature_);
    add(QStringLiteral("脉    搏"), pulse_);
    add(QStringLiteral("呼    吸"), respiration_);
    add(QStringLiteral("血    压"), pressureRow);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* hint = new QLabel(QStringLiteral("带<span style=\"color:#c00000\">*</span>的项目必须填写。"
                                           "Enter 到下一项，Ctrl+Enter 或“确定”登记。"));
    hint->setObjectName(QStringLiteral("admissionHint"));
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("register"));
    QPushButton* close = buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    // Enter in a field never submits: only the focused button, "确定" clicked or Ctrl+Enter.
    for (QPushButton* b : {ok, close}) {
        b->setDefault(false);
        b->setAutoDefault(true);
    }
    connect(ok, &QPushButton::clicked, this, &AdmissionWindow::registerPatient);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(hint);
    layout->addWidget(buttons);

    const QList<QWidget*> order{name_,    doctor_,      age_,       unit_,    number_,      sex_,
                                admitted_, bed_,        room_,      diagnosis_, complaint_, address_,
                                card_,    occupation_,  birth_,     phone_,   idCard_,      contact_,
                                relation_, temperature_, pulse_,    respiration_, systolic_, diastolic_,
                                ok,       close};
    for (int i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
    for (QWidget* field : order.mid(0, order.size() - 2)) {
        field->installEventFilter(this);
        if (auto* box = qobject_cast<QComboBox*>(field); box && box->lineEdit()) box->lineEdit()->installEventFilter(this);
    }
    name_->setFocus();

    connect(diagnosis_, &QComboBox::editTextChanged, this, &AdmissionWindow::searchDiagnoses);
    connect(age_, &QLineEdit::textChanged, this, &AdmissionWindow::recomputeBirthDate);
    connect(unit_, &QComboBox::currentTextChanged, this, &AdmissionWindow::recomputeBirthDate);
}

bool AdmissionWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ControlModifier) registerPatient();
            else focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QWidget* AdmissionWindow::fieldWidget(AdmissionField field) const {
    switch (field) {
    case AdmissionField::Name: return name_;
    case AdmissionField::Age: return age_;
    case AdmissionField::AdmissionNumber: return number_;
    case AdmissionField::Sex: return sex_;
    case AdmissionField::Doctor: return doctor_;
    case AdmissionField::Bed: return bed_;
    case AdmissionField::None: break;
    }
    return nullptr;
}

void AdmissionWindow::searchDiagnoses(const QString& typed) {
    if (!typed.isEmpty()) showDiagnosisMatches(files_, diagnosis_, typed);
}

void AdmissionWindow::recomputeBirthDate() {
    // The unit chosen counts for the age number too: "3" with "月" is three months.
    const QDate birth = dates::birthDateFromAge(admitted_->date(), age_->text(), unit_->currentText());
    if (birth.isValid()) birth_->setDate(birth);
}

AdmissionForm AdmissionWindow::form() const {
    AdmissionForm f;
    f.name = name_->text();
    f.doctor = doctor_->currentText();
    f.ageNumber = age_->text();
    f.ageUnit = unit_->currentText();
    f.admissionNumber = number_->text();
    f.address = address_->currentText();
    f.diagnosis = diagnosis_->currentText();
    f.sex = sex_->currentText();
    f.admissionDate = admitted_->dateTime();
    f.bed = bed_->text();
    f.room = room_->text();
    f.complaint = complaint_->currentText();
    f.insuranceNumber = card_->text();
    f.occupation = occupation_->currentText();
    f.birthDate = birth_->date();
    f.phone = phone_->text();
    f.idCardNumber = idCard_->text();
    f.contact = contact_->text();
    f.relation = relation_->currentText();
    f.temperature = temperature_->text();
    f.pulse = pulse_->text();
    f.respiration = respiration_->text();
    f.systolic = systolic_->text();
    f.diastolic = diastolic_->text();
    return f;
}

void AdmissionWindow::registerPatient() {
    switch (admission_.admit(form())) {
        case Admission::Outcome::Registered:
            registeredId_ = admission_.patientId();
            accept();
            break;
        case Admission::Outcome::Failed:
            reject();
            break;
        default:
            // The window stays open with what was typed, the focus on what to correct.
            if (QWidget* field = fieldWidget(admission_.fieldToCorrect())) {
                field->setFocus(Qt::OtherFocusReason);
                if (auto* box = qobject_cast<QLineEdit*>(field)) box->selectAll();
            }
            break;
    }
}

}  // namespace qh::patients
