// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

// How long a conversion takes, against the floor: compressing the same Base64
// text alone, which no implementation of the password string can skip.
// Run with -median 15 (bench/check.sh does, and checks the budgets).

#include "passworddialog.h"
#include "passwordstring.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

// Random CJK text, which hardly compresses: the longest password strings.
static QString variedText(int length)
{
    QRandomGenerator random(1); // the same text every run
    QString text(length, Qt::Uninitialized);
    for (QChar &c : text)
        c = QChar(char16_t(0x4e00 + random.bounded(20000)));
    return text;
}

class bench_Convert : public QObject
{
    Q_OBJECT

    static void rows()
    {
        QTest::addColumn<QString>("password");
        QTest::newRow("typical") << QString("correct-horse-battery-st9");
        QTest::newRow("512 CJK") << variedText(512);
        QTest::newRow("largest") << variedText(int(maxPasswordLength));
    }

private slots:
    void encode_data() { rows(); }
    void encode()
    {
        QFETCH(QString, password);
        QString result;
        QBENCHMARK { result = encodePasswordString(password); }
        QVERIFY(!result.isEmpty());
    }

    void floor_data() { rows(); }
    void floor()
    {
        QFETCH(QString, password);
        const QByteArray base64 = password.toUtf8().toBase64();
        QByteArray result;
        QBENCHMARK { result = qCompress(base64, -1); }
        QVERIFY(!result.isEmpty());
    }

    void convert_data() { rows(); }
    void convert()
    {
        QFETCH(QString, password);
        QDialog dialog;
        buildPasswordDialog(dialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *inputEdit = dialog.findChild<QLineEdit *>("inputEdit");
        auto *outputEdit = dialog.findChild<QLineEdit *>("outputEdit");
        auto *convertButton = dialog.findChild<QPushButton *>("convertButton");
        inputEdit->setText(password);
        QBENCHMARK {
            outputEdit->clear(); // each click sets a new text, as for a user
            convertButton->click();
        }
        QCOMPARE(outputEdit->text(), encodePasswordString(password));
    }
};

QTEST_MAIN(bench_Convert)
#include "bench_convert.moc"
