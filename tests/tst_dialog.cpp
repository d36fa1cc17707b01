#include "decodepasswordstring.h"
#include "passworddialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

static const QString abcString = "00000004789c8b0cf7ca0200036b0165";

// The real encoder, except that the password "fail" fails as a failed compression would.
static QString encodeOrFail(const QString &password)
{
    return password == "fail" ? QString() : encodePasswordString(password);
}

class tst_Dialog : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void startState();
    void convert_data();
    void convert();
    void keys_data();
    void keys();
    void longPassword();

private:
    void convertText(const QString &text);

    std::unique_ptr<QDialog> dialog;
    QLineEdit *inputEdit = nullptr;
    QLineEdit *outputEdit = nullptr;
    QPushButton *convertButton = nullptr;
    QPushButton *copyButton = nullptr;
};

void tst_Dialog::init()
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

void tst_Dialog::convertText(const QString &text)
{
    inputEdit->setText(text);
    QTest::mouseClick(convertButton, Qt::LeftButton);
}

void tst_Dialog::startState()
{
    QCOMPARE(dialog->windowTitle(), "Proxy Password");
    QCOMPARE(dialog->size(), QSize(600, 150));
    QCOMPARE(inputEdit->placeholderText(), "Enter text to convert...");
    QCOMPARE(inputEdit->echoMode(), QLineEdit::Normal);
    QCOMPARE(inputEdit->maxLength(), 32767);
    QVERIFY(outputEdit->isReadOnly());
    QVERIFY(convertButton->isEnabled() && convertButton->isDefault());
    QVERIFY(!copyButton->isEnabled());
    QCOMPARE(QApplication::focusWidget(), inputEdit);

    // Extra height goes between the rows and the buttons.
    dialog->resize(600, 400);
    QTRY_VERIFY(convertButton->geometry().bottom() > 400 - 40);
    QVERIFY(outputEdit->geometry().bottom() < 100);
}

void tst_Dialog::convert_data()
{
    QTest::addColumn<QString>("first");      // converted first, unless null
    QTest::addColumn<QString>("second");     // then typed into the input field
    QTest::addColumn<bool>("convertAgain");
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("copyEnabled");

    QTest::newRow("abc") << QString() << "abc" << true << abcString << true;
    QTest::newRow("spaces only") << QString() << "   " << true << "00000004789cf374764c070002da0135" << true;
    QTest::newRow("empty clears") << "abc" << "" << true << "" << false;
    QTest::newRow("twice") << "abc" << "abc" << true << abcString << true;
    QTest::newRow("edit after") << "abc" << "xyz" << false << abcString << true;
    QTest::newRow("cleared after") << "abc" << "" << false << abcString << true;
    QTest::newRow("failed encoding") << "abc" << "fail" << true << "" << false;
}

void tst_Dialog::convert()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, convertAgain);
    QFETCH(QString, output);
    QFETCH(bool, copyEnabled);

    if (!first.isNull())
        convertText(first);
    inputEdit->setText(second);
    if (convertAgain)
        QTest::mouseClick(convertButton, Qt::LeftButton);

    QCOMPARE(inputEdit->text(), second);
    QCOMPARE(outputEdit->text(), output);
    QCOMPARE(copyButton->isEnabled(), copyEnabled);

    // Copy Output copies what the field shows, however often it is pressed.
    for (int i = 0; copyEnabled && i < 2; ++i) {
        QTest::mouseClick(copyButton, Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(QClipboard::Clipboard), output);
        QCOMPARE(outputEdit->text(), output);
    }
}

void tst_Dialog::keys_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("open");

    QTest::newRow("Return in input") << "inputEdit" << int(Qt::Key_Return) << abcString << true;
    QTest::newRow("Enter in output") << "outputEdit" << int(Qt::Key_Enter) << abcString << true;
    QTest::newRow("typing in output") << "outputEdit" << int(Qt::Key_X) << "" << true;
    QTest::newRow("Escape") << "inputEdit" << int(Qt::Key_Escape) << "" << false;
}

void tst_Dialog::keys()
{
    QFETCH(QString, field);
    QFETCH(int, key);
    QFETCH(QString, output);
    QFETCH(bool, open);

    QTest::keyClicks(inputEdit, "abc");
    auto *target = dialog->findChild<QLineEdit *>(field);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));

    QCOMPARE(outputEdit->text(), output);
    QCOMPARE(dialog->isVisible(), open);
    QCOMPARE(inputEdit->text(), "abc");
}

void tst_Dialog::longPassword()
{
    // The input field keeps its limit; the output field holds the whole string.
    const QString pasted = variedText(40000, 7);
    inputEdit->setText(pasted);
    QCOMPARE(inputEdit->text(), pasted.left(32767));
    QTest::mouseClick(convertButton, Qt::LeftButton);
    QVERIFY(outputEdit->text().size() > 2 * 32767);

    QTest::mouseClick(copyButton, Qt::LeftButton);
    const QString copied = QGuiApplication::clipboard()->text(QClipboard::Clipboard);
    QCOMPARE(copied, outputEdit->text());
    QByteArray utf8;
    decodePasswordString(copied, &utf8);
    if (QTest::currentTestFailed())
        return;
    // The cut may split a surrogate pair: compare with the toolkit's own UTF-8.
    QCOMPARE(utf8, inputEdit->text().toUtf8());
}

QTEST_MAIN(tst_Dialog)
#include "tst_dialog.moc"
