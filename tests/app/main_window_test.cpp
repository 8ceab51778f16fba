#include "app/form1.h"
#include "support/test_env.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QScreen>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

using namespace mervalis;
using namespace mervalis::test;

namespace {

bool isControl(const QWidget* w)
{
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

// The controls a user sees on `page`: parts of a control (a combo box's
// edit line, a grid's headers) speak for it.
QList<QWidget*> visibleControls(QWidget* page)
{
    QList<QWidget*> controls;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (!isControl(w) || !w->isVisibleTo(page)) continue;
        bool part = false;
        for (QWidget* p = w->parentWidget(); p && p != page; p = p->parentWidget()) part = part || isControl(p);
        if (!part) controls << w;
    }
    return controls;
}

QString nameOf(const QWidget* w)
{
    return QStringLiteral("%1 (%2)").arg(w->objectName().isEmpty() ? w->accessibleName() : w->objectName(),
                                         w->metaObject()->className());
}

// Two controls of one tab over each other, or a control reaching out of the
// part of its container that is on screen.
QStringList overlaps(QTabWidget* tabs)
{
    QStringList found;
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        QWidget* page = tabs->widget(tab);
        QCoreApplication::processEvents();
        const QList<QWidget*> controls = visibleControls(page);
        QList<QRect> places;
        for (QWidget* c : controls) places << QRect(c->mapTo(page, QPoint(0, 0)), c->size());
        for (int i = 0; i < controls.size(); ++i) {
            const QRect shown = QRect(controls[i]->parentWidget()->mapTo(page, QPoint(0, 0)),
                                      controls[i]->parentWidget()->size()) & page->rect();
            if (!shown.contains(places[i])) found << tabs->tabText(tab) + ": " + nameOf(controls[i]) + " is cut";
            for (int j = i + 1; j < controls.size(); ++j) {
                if (places[i].intersects(places[j])) {
                    found << tabs->tabText(tab) + ": " + nameOf(controls[i]) + " over " + nameOf(controls[j]);
                }
            }
        }
    }
    return found;
}

}  // namespace

TEST(MainWindow, NoTwoControlsOfAnyTabOverlapAtTheOpeningOrTheSmallestSize)
{
    TestLedger l;
    Form1 form(*l.context);
    form.show();
    form.Form_Load();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_GE(form.width(), 670);
    EXPECT_GE(form.height(), 442);
    EXPECT_EQ(overlaps(form.SSTab1), QStringList()) << form.width() << "x" << form.height();

    form.resize(form.minimumSize());
    QCoreApplication::processEvents();
    EXPECT_EQ(overlaps(form.SSTab1), QStringList()) << form.width() << "x" << form.height();
}

TEST(MainWindow, TabLeavesEveryMultiLineBoxAndCtrlTabTypesATab)
{
    TestLedger l;
    Form1 form(*l.context);
    form.show();
    form.Form_Load();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QStringList kept;
    for (int tab = 0; tab < form.SSTab1->count(); ++tab) {
        form.SSTab1->setCurrentIndex(tab);
        for (QPlainTextEdit* box : form.SSTab1->widget(tab)->findChildren<QPlainTextEdit*>()) {
            if (!box->isVisible()) continue;
            box->setFocus();
            box->setPlainText("a");
            box->moveCursor(QTextCursor::End);
            QTest::keyClick(box, Qt::Key_Tab, Qt::ControlModifier);
            const QString typed = box->toPlainText();
            QTest::keyClick(box, Qt::Key_Tab);
            if (typed != "a\t" || box->hasFocus() || box->toPlainText() != "a\t" || form.SSTab1->currentIndex() != tab) kept << box->objectName() + ":" + typed;
        }
    }
    EXPECT_EQ(kept, QStringList());
}

TEST(MainWindow, ComesBackAtTheSizePlaceAndStateItWasLeftInAndOnTheScreen)
{
    TestLedger l;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const auto closedAt = [&](const QRect& place, bool maximised) {
        Form1 form(*l.context);
        form.show();
        form.setGeometry(place);
        if (maximised) form.showMaximized();
        QCoreApplication::processEvents();
        form.close();
    };
    const auto reopened = [&](const std::function<void(Form1&)>& check) {
        Form1 form(*l.context);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        check(form);
    };

    const QRect place(screen.topLeft() + QPoint(30, 20), QSize(screen.width() - 40, screen.height() - 30));
    closedAt(place, false);
    reopened([&](Form1& form) { EXPECT_EQ(form.geometry(), place); EXPECT_FALSE(form.isMaximized()); });
    closedAt(place, true);
    reopened([&](Form1& form) { EXPECT_TRUE(form.isMaximized()); });

    // Left on a larger screen beyond this one's edge.
    closedAt(QRect(screen.right() + 400, screen.bottom() + 300, screen.width() + 200, screen.height() + 100), false);
    reopened([&](Form1& form) { EXPECT_TRUE(screen.contains(form.frameGeometry())) << form.x() << "," << form.y(); });
}
