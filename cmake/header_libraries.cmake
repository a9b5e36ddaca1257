# The header-only libraries of the core, all from Debian's packages:
# nlohmann-json (nlohmann-json3-dev) reads and writes chain files, fast_float
# (libfast-float-dev) reads numbers and {fmt} (libfmt-dev, header-only) writes
# them.
find_package(nlohmann_json 3 REQUIRED)
find_package(FastFloat REQUIRED)
find_package(fmt 9 REQUIRED)
