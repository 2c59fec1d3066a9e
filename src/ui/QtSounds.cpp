#include "ui/QtSounds.h"

#include <filesystem>

#include <QApplication>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

QtSounds::QtSounds(QObject* parent)
    : QObject(parent), hasOutput_(!QMediaDevices::audioOutputs().isEmpty()) {}

QtSounds::~QtSounds() = default;

void QtSounds::play(const std::filesystem::path& wavFile) {
    std::error_code ec;
    if (!hasOutput_ || !std::filesystem::exists(wavFile, ec)) {
        return;
    }
    QSoundEffect*& effect = effects_[wavFile];
    if (effect == nullptr) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(QString::fromStdString(wavFile.string())));
    }
    effect->play();
}

void QtSounds::beep() {
    QApplication::beep();
}
