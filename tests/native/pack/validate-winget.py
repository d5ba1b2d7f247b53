# Checks the package manager's manifest that zembra-pack wrote: each file against its published schema,
# and the installer's SHA-256 against the installer itself. Exit 0 when all holds, 1 with the faults on
# stdout, 77 when the schemas or Python's jsonschema and PyYAML are not at hand.
#   validate-winget.py SCHEMA_FOLDER MANIFEST_FOLDER PACKAGE_IDENTIFIER INSTALLER
import hashlib
import json
import pathlib
import sys

try:
    import jsonschema
    import yaml
except ImportError as missing:
    print(missing)
    sys.exit(77)

schemas, folder, identifier, installer = sys.argv[1:5]
locales = sorted(pathlib.Path(folder).glob(identifier + ".locale.*.yaml"))
if len(locales) != 1:
    print(f"{len(locales)} locale files for {identifier}, one expected")
    sys.exit(1)
files = {"version": ".yaml", "installer": ".installer.yaml", "defaultLocale": locales[0].name[len(identifier):]}
faults = []
for kind, ending in files.items():
    schema_path = pathlib.Path(schemas, f"manifest.{kind}.1.10.0.json")
    if not schema_path.exists():
        print(f"no schema {schema_path}")
        sys.exit(77)
    manifest = yaml.safe_load(pathlib.Path(folder, identifier + ending).read_text(encoding="utf-8"))
    for error in jsonschema.Draft7Validator(json.loads(schema_path.read_text())).iter_errors(manifest):
        faults.append(f"{identifier}{ending}: {'/'.join(map(str, error.path))}: {error.message}")
    if manifest.get("ManifestType") != kind:
        faults.append(f"{identifier}{ending}: ManifestType {manifest.get('ManifestType')}")
    if kind == "installer":
        digest = hashlib.sha256(pathlib.Path(installer).read_bytes()).hexdigest().upper()
        for entry in manifest["Installers"]:
            if entry["InstallerSha256"] != digest:
                faults.append(f"InstallerSha256 {entry['InstallerSha256']}, the installer's is {digest}")
print("\n".join(faults))
sys.exit(1 if faults else 0)
