// Logic targets are built with this folder first on the include path, so any Qt QtGui header
// they pull in stops the build here. Windows live in the */ui/, controls and app targets.
#error "a logic target must not include Qt QtGui headers"
