#include "decodepasswordstring.h"
#include "passworddialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

static const QString abcString = "00000004789c8b0cf7ca0200036b0165";

// The real encoder, except that the password "fail" fails as a failed compression would.
static QString encodeOrFail(const QString &password)
{
    return password == "fail" ? QString() : encodePasswordString(password);
}

static QString clipboardText()
{
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
}

class tst_Dialog : public QObject
{
    Q_OBJECT
    std::unique_ptr<QDialog> dialog;
    QLineEdit *inputEdit = nullptr;
    QLineEdit *outputEdit = nullptr;
    QPushButton *convertButton = nullptr;
    QPushButton *copyButton = nullptr;

private slots:
    void init()
    {
        QGuiApplication::clipboard()->clear();
        dialog = std::make_unique<QDialog>();
        buildPasswordDialog(*dialog, encodeOrFail);
        inputEdit = dialog->findChild<QLineEdit *>("inputEdit");
        outputEdit = dialog->findChild<QLineEdit *>("outputEdit");
        convertButton = dialog->findChild<QPushButton *>("convertButton");
        copyButton = dialog->findChild<QPushButton *>("copyButton");
        QVERIFY(inputEdit && outputEdit && convertButton && copyButton);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }

    void startState()
    {
        QCOMPARE(dialog->size(), QSize(600, 150));
        QCOMPARE(QApplication::focusWidget(), inputEdit);
        QVERIFY(convertButton->isDefault() && !copyButton->isEnabled());
        QTest::keyClicks(outputEdit, "typed"); // read-only
        QCOMPARE(outputEdit->text(), "");

        // Extra height goes between the rows and the buttons.
        dialog->resize(600, 400);
        QTRY_VERIFY(convertButton->geometry().bottom() > 400 - 40);
        QVERIFY(outputEdit->geometry().bottom() < 100);

        QTest::keyClick(inputEdit, Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), QDialog::Rejected);
    }

    void convert_data()
    {
        QTest::addColumn<QString>("first");  // converted first, unless null
        QTest::addColumn<QString>("second"); // then put into the input field
        QTest::addColumn<QString>("how");    // how Convert is run after that, if at all
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("copyEnabled");

        const QString spacesString = "00000004789cf374764c070002da0135";
        QTest::newRow("abc") << QString() << "abc" << "click" << abcString << true;
        QTest::newRow("Return in input") << QString() << "abc" << "Return" << abcString << true;
        QTest::newRow("Enter in output") << QString() << "abc" << "Enter" << abcString << true;
        QTest::newRow("spaces only") << QString() << "   " << "click" << spacesString << true;
        QTest::newRow("empty clears") << "abc" << "" << "click" << "" << false;
        QTest::newRow("twice") << "abc" << "abc" << "click" << abcString << true;
        QTest::newRow("edit after") << "abc" << "xyz" << "none" << abcString << true;
        QTest::newRow("cleared after") << "abc" << "" << "none" << abcString << true;
        QTest::newRow("failed encoding") << "abc" << "fail" << "click" << "" << false;
    }

    void convert()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, how);
        QFETCH(QString, output);
        QFETCH(bool, copyEnabled);

        if (!first.isNull()) {
            inputEdit->setText(first);
            QTest::mouseClick(convertButton, Qt::LeftButton);
        }
        inputEdit->setText(second);
        if (how == "click")
            QTest::mouseClick(convertButton, Qt::LeftButton);
        else if (how == "Return")
            QTest::keyClick(inputEdit, Qt::Key_Return);
        else if (how == "Enter")
            QTest::keyClick(outputEdit, Qt::Key_Enter);

        QCOMPARE(inputEdit->text(), second);
        QCOMPARE(outputEdit->text(), output);
        QCOMPARE(copyButton->isEnabled(), copyEnabled);

        // Copy Output copies what the field shows, however often it is pressed.
        for (int i = 0; copyEnabled && i < 2; ++i) {
            QTest::mouseClick(copyButton, Qt::LeftButton);
            QCOMPARE(clipboardText(), output);
            QCOMPARE(outputEdit->text(), output);
        }
    }

    void paste_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::newRow("longer than the field") << variedText(40000, 7);
        QTest::newRow("NUL and unpaired surrogates")
                << QString("a") + QChar(0) + QChar(0xd800) + "b" + QChar(0xdc00);
    }

    void paste()
    {
        // The input field keeps its limit; the output field and the clipboard
        // get the whole password string, however long.
        QFETCH(QString, pasted);
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keySequence(inputEdit, QKeySequence::Paste);
        QCOMPARE(inputEdit->text(), pasted.left(inputEdit->maxLength()));
        QTest::keyClick(inputEdit, Qt::Key_Return);
        QTest::mouseClick(copyButton, Qt::LeftButton);
        QCOMPARE(clipboardText(), outputEdit->text());

        QByteArray utf8;
        const QString problem = decodePasswordString(clipboardText(), &utf8);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        // Unpaired surrogates come back as the toolkit's UTF-8 conversion writes them.
        QCOMPARE(utf8, inputEdit->text().toUtf8());
    }
};

QTEST_MAIN(tst_Dialog)
#include "tst_dialog.moc"
