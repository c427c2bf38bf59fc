#!/usr/bin/env bash
# Builds l3xml and runs its main job on the example framework that ships with the project:
# the campaign's parameters loaded and written into the templates, every template flattened.
# Installs what it needs first. Arguments are passed to `l3xml run --example`.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-debian.sh
cmake --preset default
cmake --build --preset default -j "$(nproc)" --target l3xml_cli
exec build/default/bin/l3xml run --example "$@"
