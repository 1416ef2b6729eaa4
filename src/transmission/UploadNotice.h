#pragma once

#include <QString>

namespace tramora {

// One notification of a worker to the sending list. The row is found again by caption on the
// user-interface thread, because rows come and go while the worker runs.
struct UploadNotice
{
    enum Kind { Begin = 1, Progress = 2, End = 3, Finished = 4, Failed = 5 };

    Kind kind = Begin;
    QString caption;
    QString message;
    qint64 bytes = 0; // kind 1: bytes of the transfer; kind 2: bytes sent so far
    qint64 rate = 0; // bytes per second
    qint64 remoteSize = -1; // kind 1: what the server held under the package's name
    QString fileNameZIP; // kind 4
    QString fileNameTXT; // kind 4
};

} // namespace tramora
