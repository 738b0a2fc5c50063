#pragma once

#include <QByteArray>
#include <QString>

// The 8-bit code pages translators' editors on older systems write language files in.
enum class LegacyCodePage { Windows1250, Windows1252 };

// Each byte as the code page reads it; the few bytes a code page leaves unused keep their values,
// which are control characters.
QString fromCodePage(const QByteArray& bytes, LegacyCodePage codePage);

// The code page the bytes were most likely written in. Each code page counts the letters of its
// reading of the bytes that its own languages use much and the other's languages hardly at all:
// Windows-1250 ő ű ć đ š ž ě ł ą ś ź ż ť ľ ş ţ, Windows-1252 à å ï ê ÿ (either case). Letters
// both families use much (č in one, è in the other) count for neither. Windows-1250 when it
// counts more, Windows-1252 otherwise.
LegacyCodePage likelyCodePage(const QByteArray& bytes);
