// Reads one photo the way the application does, through the worker it finds from where it lies. Copied
// into an installed bin/, it shows that the installed program finds the installed worker.
#include "Helper/MetadataWorkerPool.h"
#include "model/MetaDataObject.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2) return 2;
    QTextStream out(stdout);
    out << "worker=" << MetadataWorkerPool::defaultProgram() << '\n';
    MetadataWorkerPool pool;
    MetaDataObject record;
    pool.readMetadata(QString::fromLocal8Bit(argv[1]), record);
    out << "artist=" << record.Artist << '\n';
    return 0;
}
