// The library's two plug-in entry points. The metadata is written out by hand instead of by
// moc because the host expects the interface version it was released against (Qt 5.10) in
// the header, whatever Qt the library is built with; the loader accepts any older minor.

#include <QObject>
#include <QPointer>
#include <QtPlugin>

#include "genericv7.h"

namespace {

// "QTMETADATA !", then the metadata format version, the Qt major and minor version the
// plug-in declares, the architecture requirements (0: release, no extra instruction sets),
// then a CBOR map: 2 "IID", 3 "className", 4 "MetaData".
QT_PLUGIN_METADATA_SECTION
const unsigned char qt_pluginMetaData[] = {
    'Q', 'T', 'M', 'E', 'T', 'A', 'D', 'A', 'T', 'A', ' ', '!',
    0, 5, 10, 0,
    0xbf,
    0x02, 0x78, 0x1e,
    'c', 'o', 'm', '.', 'r', 'e', 'r', 'e', 'z', 'o', 'r', '.', 'T', 'o', 'o', 'l', 's',
    'I', 'n', 't', 'e', 'r', 'f', 'a', 'c', 'e', '/', '2', '.', '0',
    0x03, 0x69,
    'G', 'e', 'n', 'e', 'r', 'i', 'c', 'V', '7',
    0x04, 0xa1, 0x64, 'n', 'a', 'm', 'e', 0x67, 'R', 'e', 'R', 'e', 'z', 'o', 'r',
    0xff,
};

QPointer<QObject>& factoryObject()
{
    static QPointer<QObject> instance;
    return instance;
}

} // namespace

extern "C" Q_DECL_EXPORT const char* qt_plugin_query_metadata()
{
    return reinterpret_cast<const char*>(qt_pluginMetaData);
}

extern "C" Q_DECL_EXPORT QObject* qt_plugin_instance()
{
    QPointer<QObject>& instance = factoryObject();
    if (!instance)
        instance = new GenericV7;
    return instance;
}
