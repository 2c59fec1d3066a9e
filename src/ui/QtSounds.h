// Sounds through Qt Multimedia, played without waiting, and only when the machine has an
// audio output (checked once, when the object is made).
#pragma once

#include <map>
#include <memory>

#include <QObject>

#include "platform/Sounds.h"

class QSoundEffect;

class QtSounds final : public QObject, public platform::Sounds {
    Q_OBJECT
public:
    explicit QtSounds(QObject* parent = nullptr);
    ~QtSounds() override;
    void play(const std::filesystem::path& wavFile) override;
    void beep() override;
    bool hasOutput() const { return hasOutput_; }

private:
    bool hasOutput_ = false;
    std::map<std::filesystem::path, QSoundEffect*> effects_;
};
