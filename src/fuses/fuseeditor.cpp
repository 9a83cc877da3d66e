#include "fuses/fuseeditor.h"

// Placeholder bodies until the fuse editor lands.
FuseEditor::FuseEditor(QObject* parent) : QObject(parent) { m_captions.fill(QStringLiteral("1")); }
bool FuseEditor::LoadFuseDescription(const QString&, MessageLog*) { return false; }
QString FuseEditor::fuseText() const {
    QString t;
    for (int p = 31; p >= 0; --p)
        t += m_captions[p];
    return t;
}
void FuseEditor::ApplyFuseText(const QString&) {}
void FuseEditor::ComputeFuseBytes() {}
void FuseEditor::SyncTreeFromBits() {}
void FuseEditor::ToggleBit(int) {}
void FuseEditor::ApplyOption(int) {}
void FuseEditor::checkEvent(int, bool) {}
void FuseEditor::clickEvent(int) {}
QString FuseEditor::frameDigits(int) const { return QStringLiteral("FF"); }
