#pragma once

#include "app/online/ServiceHosts.h"

class AppDelegate;

// Gives the delegate its online services: the network flags, the support phone number, the install
// tracking, the promotion panel at quit and the feedback sheet, all talking to the given hosts. Call once,
// before the launch.
void installOnlineServices(AppDelegate& delegate, const ServiceHosts& hosts = ServiceHosts::product());
