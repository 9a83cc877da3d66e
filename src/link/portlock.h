#pragma once
// One programmer, one program: a serial device is locked as a device, not as a name. The
// name is resolved to the real device first (a /dev/serial/by-id link, any symlink, a
// relative name), so that two names of one device meet at one lock; the open descriptor
// then takes an exclusive advisory lock and the terminal's exclusive mode.
#include <QString>

// The real device a port name stands for: links followed, a relative path taken from the
// working directory, a bare name ("ttyUSB0") under /dev. A name that does not exist is
// returned as it is (the open then says that there is no such port).
QString realDevicePath(const QString& name);

// The process that holds the device's lock file ("LCK.." in the system's lock folders), 0
// when none (or when it is this process or no longer running).
qint64 deviceLockHolder(const QString& device);

// Takes the exclusive lock on the open descriptor fd: flock() and TIOCEXCL. False when
// another open descriptor holds it (the device is in use).
bool lockDevice(int fd);
// Ends the terminal's exclusive mode before the descriptor is closed.
void unlockDevice(int fd);

// Why an open of device was refused with "permission": the device is in use (by the
// process named, where the lock file says), or this user may not open it (the message
// names the device's group, dialout where the device belongs to root).
QString deviceInUseText(const QString& name, qint64 holder);
QString devicePermissionText(const QString& name, const QString& device);
// True when this user may read and write device.
bool deviceAccessible(const QString& device);
