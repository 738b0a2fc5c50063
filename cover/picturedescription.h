#pragma once

#include <QString>

struct CoverDocument;
struct SlotInfo;

// What a slot's picture shows, in words for a screen reader, read from the steps that made it:
// "Cd Cover, Picture #1: photo fitted, Center text, 1 stamp".
QString pictureDescription(const CoverDocument& document, const SlotInfo& slot);
