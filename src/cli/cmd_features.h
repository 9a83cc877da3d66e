#pragma once
// What the image commands share with the shell: the JSON event of a verify.
#include <QJsonObject>

struct ImageDiff;

// {"type":"verify","memory":"FLASH","compared":N,"differing":M,"first":A,"ranges":[[a,b],...]}
QJsonObject verifyEvent(int memory, const ImageDiff& diff);
