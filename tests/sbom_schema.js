// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT
// The SBOM is valid CycloneDX 1.6, by the CycloneDX JavaScript library's strict
// validator (from npm: NODE_PATH names where it is installed).
// Usage (release.sh): NODE_PATH=DIR/node_modules node sbom_schema.js SBOM
const cyclonedx = require("@cyclonedx/cyclonedx-library");
new cyclonedx.Validation.JsonStrictValidator("1.6").validate(require("fs").readFileSync(process.argv[2], "utf8"))
    .then(errors => { if (errors) { console.error("FAIL: SBOM:", JSON.stringify(errors)); process.exit(1); } });
