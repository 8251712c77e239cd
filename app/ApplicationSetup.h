#pragma once

#include "app/online/ServiceHosts.h"

class AppDelegate;

// What main puts together before the launch, kept in one place so that a test driving the whole application
// starts exactly what users get.
namespace ApplicationSetup {

// Names, version, icon and the quit rule of the running Qt application.
void configureApplication();
// The delegate's online services, talking to hosts, and its editing screen. Launch afterwards with
// applicationDidFinishLaunching.
void assemble(AppDelegate& delegate, const ServiceHosts& hosts = ServiceHosts::product());

}  // namespace ApplicationSetup
