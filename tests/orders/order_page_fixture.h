#pragma once
// The order page on screen for the fixture's patient, driven by keys as a doctor or a
// nurse drives it.
#include <QApplication>
#include <QKeyEvent>

#include "orders/orders_fixture.h"
#include "orders/ui/OrderPage.h"
#include "shell/PatientSelection.h"

namespace qh::test {

class OrderPageFixture : public OrdersFixture {
protected:
    void SetUp() override {
        OrdersFixture::SetUp();
        if (HasFatalFailure()) return;
        selection_ = std::make_unique<shell::PatientSelection>(files());
        ASSERT_TRUE(selection_->select(patientId_, shell::PatientStatus::InWard));
        page_ = std::make_unique<orders::OrderPage>(files(), user_, ui_, *selection_);
        page_->setAllergyDrugChooser([](const QStringList& drugs) -> std::optional<QString> { return drugs.last(); });
        page_->resize(1280, 560);
        page_->refresh();
        page_->show();
    }
    void TearDown() override {
        page_.reset();
        selection_.reset();
        OrdersFixture::TearDown();
    }
    static void key(QWidget* to, int k, const QString& text = QString()) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
        QApplication::sendEvent(to, &press);
    }
    static void type(QWidget* to, const QString& text) {
        for (QChar c : text) key(to, c.toUpper().unicode(), QString(c));
    }

    std::unique_ptr<shell::PatientSelection> selection_;
    std::unique_ptr<orders::OrderPage> page_;
};

}  // namespace qh::test
