// The floor of the delete benchmark: a console program that ends at once.
int main() {
    return 0;
}
