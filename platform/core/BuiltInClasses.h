// The window classes that the layers above the window system provide ("Static", "Edit", the
// pop-up menu, ...). They enlist a registration function here; the window system runs every
// enlisted function once, before the first class lookup, without knowing what it registers.
#pragma once

using BuiltInClassRegistrar = void (*)();

// Enlisting after the first lookup registers the class at once.
void EnlistBuiltInClass(BuiltInClassRegistrar registrar);

// Runs the enlisted registrations that have not run yet; every class lookup calls it first.
void RegisterBuiltInClasses();
