// quorvane-jet-reader: reads tables of an Access (Jet) database into a work file for the program that
// started it, which limits its time and memory and judges what it writes (see entry/JetReader.h).
// Usage: quorvane-jet-reader FORMAT ACCESSFILE WORKFILE TABLE...  Exit code 0 when the work file is
// complete; anything else means the Access file could not be read.

#include "data/Database.h"
#include "entry/JetReader.h"
#include "entry/jetreader/JetFile.h"

#include <QCoreApplication>
#include <exception>

int main(int argc, char *argv[])
{
    const QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() < 3 || args.constFirst() != QString::number(JetReader::kWorkFileFormat))
        return 2;
    Database::setDurableWrites(false); // the work file lives only as long as the conversion
    try {
        const JetFile source(args.at(1));
        JetReader::writeWorkFile(source, args.mid(3), args.at(2));
    } catch (const std::exception &) {
        return 1; // the program reports the file as unreadable
    }
    return 0;
}
