#pragma once

#include "data/radiodata.h"

#include <QJsonValue>
#include <QString>
#include <QVector>

// The decoded fields of an image for dump, diff and verify, in English.

// One decoded value of an image.
struct ImageField {
    QString section;        // "header", "channels", "settings", "dtmf", "fm"
    QString key;            // stable name within the section ("rxFreq", "SqlLev")
    int channel = 0;        // 1-based channel of channel and FM fields, else 0
    QString label;          // English name ("receive frequency")
    QString text;           // the value as the pages show it, in English
    QJsonValue json;        // the value for --json
    int code = -1;          // stored byte of an option, else -1
    QVector<int> offsets;   // image bytes the value is decoded from
};

// Every field the pages show, decoded with the page codecs, plus the
// derived channel count, scan mask, FM mask and FM start channel. Channels
// are the records in use (ChanCount, at most 22).
QVector<ImageField> ImageFields(const RadioData_S &image);

// Full name of a field for listings: "channel 03 receive frequency",
// "settings squelch level".
QString FieldName(const ImageField &field);

// English text of a page's list item or label given by its source text;
// texts without a translation (digits, "30S", "1:1", tones) come back as
// they are.
QString EnglishText(const char *source);

// What a window byte is for, e.g. "not used by any page", "channel 03
// record byte 12". Offsets 0..3 are the header.
QString ByteOwner(int offset);

// A field's text in a listing: "(empty)" for none.
QString Shown(const QString &text);
