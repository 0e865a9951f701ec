#pragma once
// A compound document (the container of binary Office files) holding one stream, as Excel workbooks
// need it: the "Workbook" stream of BIFF8 records.

#include <QByteArray>
#include <QString>

// The whole file.  A stream shorter than 4096 bytes is padded with zeros to that size so that it lives in
// ordinary sectors (readers stop at the workbook's last EOF record).
QByteArray compoundFileWithStream(const QString &streamName, QByteArray stream);
