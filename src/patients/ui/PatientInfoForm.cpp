#include "patients/ui/PatientInfoForm.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "patients/PickLists.h"
#include "patients/ui/FormFields.h"

namespace qh::patients {

namespace {

// The pickers' lowest date stands for "no date": it shows blank and saves as empty text.
const QDate kNoDate(1900, 1, 1);

void setListText(QComboBox* box, const QString& text) {
    if (text.isEmpty() && !box->isEditable()) {
        box->setCurrentIndex(-1);
        return;
    }
    int index = box->findText(text);
    if (index < 0 && !box->isEditable()) {
        box->addItem(text);
        index = box->count() - 1;
    }
    if (box->isEditable()) box->setEditText(text);
    else box->setCurrentIndex(index);
}

}  // namespace

PatientInfoForm::PatientInfoForm(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui,
                                 QWidget* parent)
    : QWidget(parent), files_(files), user_(user), ui_(ui) {
    setObjectName(QStringLiteral("patientInfoForm"));
    name_ = textBox("name");
    doctor_ = pickList(false, "doctor", doctorsOfDepartment(files, user.department));
    age_ = textBox("age");
    room_ = textBox("room");
    card_ = textBox("insuranceNumber");
    number_ = textBox("admissionNumber");
    address_ = pickList(true, "address", commonEntries(files, QStringLiteral("联系地址")));
    diagnosis_ = pickList(true, "diagnosis", commonEntries(files, QStringLiteral("疾病名称")));
    complaint_ = pickList(true, "complaint", commonEntries(files, QStringLiteral("主诉")));
    sex_ = pickList(false, "sex", kSexes);
    admitted_ = new QDateTimeEdit;
    admitted_->setObjectName(QStringLiteral("admissionDate"));
    admitted_->setCalendarPopup(true);
    admitted_->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
    admitted_->setMinimumDate(kNoDate);
    admitted_->setSpecialValueText(QStringLiteral(" "));
    bed_ = textBox("bed");
    birth_ = new QDateEdit;
    birth_->setObjectName(QStringLiteral("birthDate"));
    birth_->setCalendarPopup(true);
    birth_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    birth_->setMinimumDate(kNoDate);
    birth_->setSpecialValueText(QStringLiteral(" "));
    temperature_ = textBox("temperature");
    pulse_ = textBox("pulse");
    respiration_ = textBox("respiration");
    pressure_ = textBox("bloodPressure");
    phone_ = textBox("phone");
    idCard_ = textBox("idCardNumber");
    occupation_ = pickList(true, "occupation", parameterList(files, QStringLiteral("职业")));
    contact_ = textBox("contact");
    relation_ = pickList(true, "relation", parameterList(files, QStringLiteral("患者关系")));

    auto* grid = new QGridLayout;
    int row = 0, col = 0;
    const auto add = [&](const QString& caption, QWidget* field) {
        grid->addWidget(new QLabel(caption), row, col * 2);
        grid->addWidget(field, row, col * 2 + 1);
        if (++col == 3) col = 0, ++row;
    };
    add(QStringLiteral("姓    名"), name_);
    add(QStringLiteral("主管医生"), doctor_);
    add(QStringLiteral("年    龄"), age_);
    add(QStringLiteral("病    室"), room_);
    add(QStringLiteral("医疗证号"), card_);
    add(QStringLiteral("住 院 号"), number_);
    add(QStringLiteral("性    别"), sex_);
    add(QStringLiteral("入院日期"), admitted_);
    add(QStringLiteral("床    号"), bed_);
    add(QStringLiteral("出生日期"), birth_);
    add(QStringLiteral("联系电话"), phone_);
    add(QStringLiteral("身份证号"), idCard_);
    add(QStringLiteral("职    业"), occupation_);
    add(QStringLiteral("联 系 人"), contact_);
    add(QStringLiteral("患者关系"), relation_);
    add(QStringLiteral("体    温"), temperature_);
    add(QStringLiteral("脉    搏"), pulse_);
    add(QStringLiteral("呼    吸"), respiration_);
    add(QStringLiteral("血    压"), pressure_);
    if (col != 0) col = 0, ++row;
    // The long texts get a whole row each.
    for (const auto& [caption, field] : {std::pair{QStringLiteral("住    址"), static_cast<QWidget*>(address_)},
                                         std::pair{QStringLiteral("诊    断"), static_cast<QWidget*>(diagnosis_)},
                                         std::pair{QStringLiteral("主    诉"), static_cast<QWidget*>(complaint_)}}) {
        grid->addWidget(new QLabel(caption), row, 0);
        grid->addWidget(field, row++, 1, 1, 5);
    }
    for (int c : {1, 3, 5}) grid->setColumnStretch(c, 1);

    auto* title = new QLabel(QStringLiteral("患者一般信息"));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 3);
    title->setFont(bold);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(grid);
    layout->addStretch(1);

    connect(diagnosis_, &QComboBox::editTextChanged, this, [this](const QString& typed) {
        if (!loading_ && !typed.isEmpty() && diagnosis_->hasFocus()) showDiagnosisMatches(files_, diagnosis_, typed);
    });

    // Whatever the user changes marks the form modified; loading a patient does not.
    const auto typed = [this] {
        if (!loading_) modified_ = true;
    };
    for (QLineEdit* edit : findChildren<QLineEdit*>()) connect(edit, &QLineEdit::textChanged, this, typed);
    for (QComboBox* box : findChildren<QComboBox*>()) connect(box, &QComboBox::currentTextChanged, this, typed);
    for (QDateTimeEdit* edit : findChildren<QDateTimeEdit*>())
        connect(edit, &QDateTimeEdit::dateTimeChanged, this, typed);

    // Until a patient is selected the form is blank and closed to typing.
    clear();
}

void PatientInfoForm::clear() {
    load(shell::PatientContext{});
    setEnabled(false);
}

void PatientInfoForm::load(const shell::PatientContext& patient) {
    const Particulars p = particularsOf(patient);
    setEnabled(true);
    loading_ = true;  // loading is not typing: no diagnosis search
    name_->setText(p.name);
    setListText(doctor_, p.doctor);
    age_->setText(p.age);
    room_->setText(p.room);
    card_->setText(p.insuranceNumber);
    number_->setText(p.admissionNumber);
    setListText(address_, p.address);
    setListText(diagnosis_, p.diagnosis);
    setListText(complaint_, p.complaint);
    setListText(sex_, p.sex);
    admitted_->setDateTime(p.admissionDate.isValid() ? p.admissionDate : QDateTime(kNoDate, QTime(0, 0)));
    bed_->setText(p.bed);
    birth_->setDate(p.birthDate.isValid() ? p.birthDate : kNoDate);
    temperature_->setText(p.temperature);
    pulse_->setText(p.pulse);
    respiration_->setText(p.respiration);
    pressure_->setText(p.bloodPressure);
    phone_->setText(p.phone);
    idCard_->setText(p.idCardNumber);
    setListText(occupation_, p.occupation);
    contact_->setText(p.contact);
    setListText(relation_, p.relation);
    loading_ = false;
    modified_ = false;
}

Particulars PatientInfoForm::particulars() const {
    Particulars p;
    p.name = name_->text();
    p.doctor = doctor_->currentText();
    p.age = age_->text();
    p.room = room_->text();
    p.insuranceNumber = card_->text();
    p.admissionNumber = number_->text();
    p.address = address_->currentText();
    p.diagnosis = diagnosis_->currentText();
    p.complaint = complaint_->currentText();
    p.sex = sex_->currentText();
    if (admitted_->date() != kNoDate) p.admissionDate = admitted_->dateTime();
    p.bed = bed_->text();
    if (birth_->date() != kNoDate) p.birthDate = birth_->date();
    p.temperature = temperature_->text();
    p.pulse = pulse_->text();
    p.respiration = respiration_->text();
    p.bloodPressure = pressure_->text();
    p.phone = phone_->text();
    p.idCardNumber = idCard_->text();
    p.occupation = occupation_->currentText();
    p.contact = contact_->text();
    p.relation = relation_->currentText();
    return p;
}

bool PatientInfoForm::save(qint64 patientId) {
    if (!saveParticulars(files_, particulars(), patientId, user_, ui_)) return false;
    modified_ = false;
    return true;
}

}  // namespace qh::patients
