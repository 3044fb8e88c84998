/* Stand-in for the camera maker's transport library. The program only tests
 * that this file exists; the simulated module needs nothing from it. */
int orvptp_stub_version(void);
int orvptp_stub_version(void) {
    return 1;
}
