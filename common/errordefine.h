#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>

// Error numbers the workers pass with their error signals. The enumerator
// names travel as text (status reports, the request time-out), so they keep
// their historical spelling.
namespace ErrorDefine {
Q_NAMESPACE

enum ErrorCode {
    DEFAULTT = 0,
    DOWNLOAD_OPEN_FILE_ERROR = 1000,
    DOWNLOAD_EXIST_SIZE_ERROR = 1001,
    DOWNLOAD_WRITE_BUFFER_ERROR = 1002,
    DOWNLOAD_FLUSH_ERROR = 1003,
    DOWNLOAD_MD5_ERROR = 1004,
    DOWNLOAD_NETWORK_GETHEADER_ERROR = 1005,
    DOWNLOAD_NETWORK_ERROR = 1006,
    DOWNLOAD_NETWORK_REPLY_ERROR = 1007,
    SETUP_DLL_ERROR = 1008,
    SETUP_ZIP_ERROR = 1009,
    SETUP_ZIP_FORMAT_ERROR = 1010,
    SETUP_ZIP_CLASS_ERROR = 1011,
    SETUP_ZIP_ARCHIVE_FILE_ERROR = 1012,
    SETUP_ZIP_UNABLE_OPEN_FILE_ERROR = 1013,
    SETUP_ZIP_UNZIP_ERROR = 1014,
    SETUP_ZIP_UNABLE_DELETE_ERROR = 1015,
    SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR = 1016,
    SETUP_ZIP_PASSWORD_ERROR = 1017,
    SETUP_DELETE_OLD_GAME_ERROR = 1018,
    SETUP_DELETE_TEMP_FOLDER_ERROR = 1019,
    SETUP_RENAME_FOLDER_ERROR = 1020,
    SETUP_DELETE_OLD_FILE_ERROR = 1021,
    SETUP_CREATE_FOLDER_ERROR = 1022,
    SETUP_COPY_FILE_ERROR = 1023,
    HTTP_REQUEST_TIMEOUT = 1024,
    HTTP_REQUEST_FILA = 1025,
    CATCH_EXCEPTION_INIT_UPDATEINFO = 1026,
};
Q_ENUM_NS(ErrorCode)

// Registers ErrorCode as the meta-type "ErrorCode" so it can travel in
// queued signals. Safe to call any number of times, from any thread.
void registerMetaType();

} // namespace ErrorDefine

Q_DECLARE_METATYPE(ErrorDefine::ErrorCode)

// The enumerator's identifier ("HTTP_REQUEST_TIMEOUT" for 1024); a null
// string for a value that is no enumerator.
QString errorCodeName(int code);
